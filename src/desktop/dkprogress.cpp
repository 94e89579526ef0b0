#include "dkprogress.h"

#include "platform/rtl/files.h"

TdkProgressWindow::TdkProgressWindow(const std::string& Title, bool Simple)
    : TForm(nullptr), FSimple(Simple) {
    SetCaption(Title);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 380, 96);
    FItem = new TLabel(this);
    FItem->SetParent(this);
    FItem->SetBounds(12, 12, 356, 18);
    FBar = new TPaintBox(this);
    FBar->SetParent(this);
    FBar->SetBounds(12, 44, 356, 18);
    FBar->OnPaint = [this](TObject* S) { BarPaint(S); };
}

void TdkProgressWindow::Step(int Done, int Total, const std::string& Item) {
    FDone = Done;
    FTotal = Total;
    FItem->SetCaption(FSimple ? std::string() : ExtractFileName(Item));
    FBar->Invalidate();
    if (!Visible()) Show();
    Application->ProcessMessages();
}

void TdkProgressWindow::BarPaint(TObject*) {
    TCanvas* C = FBar->Canvas();
    const int W = FBar->Width(), H = FBar->Height();
    C->Brush()->SetColor(clWindow);
    C->Pen()->SetColor(clBtnShadow);
    C->Rectangle(0, 0, W, H);
    if (FTotal <= 0) return;
    C->Brush()->SetColor(clHighlight);
    C->FillRect(Rect(1, 1, 1 + (W - 2) * FDone / FTotal, H - 1));
}
