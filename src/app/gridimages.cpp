#include "app/gridimages.h"

#include "platform/vcl/gfx/graphics.h"
#include "platform/vcl/gfx/imagelist.h"

TImageList* MakeKruisImages(TComponent* Owner) {
    constexpr int Size = 12;
    auto* Images = new TImageList(Owner, Size, Size);
    TBitmap Image;
    Image.SetSize(Size, Size);
    TCanvas* C = Image.Canvas();
    C->Brush()->SetColor(clFuchsia);
    C->FillRect(Rect(0, 0, Size, Size));
    Images->AddMasked(&Image, clFuchsia);
    Images->AddMasked(&Image, clFuchsia);
    C->Pen()->SetColor(clBlack);
    C->Pen()->SetWidth(2);
    C->MoveTo(1, 1);
    C->LineTo(Size - 1, Size - 1);
    C->MoveTo(Size - 2, 1);
    C->LineTo(0, Size - 1);
    Images->AddMasked(&Image, clFuchsia);
    return Images;
}
