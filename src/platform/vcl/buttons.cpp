#include "platform/vcl/buttons.h"

#include <QIcon>
#include <QPixmap>
#include <QPushButton>

#include "platform/rtl/dialogs.h"
#include "platform/vcl/gfx/drawcontrols.h"
#include "platform/vcl/gfx/qtconvert.h"

void TGlyphList::SetGlyph(const TBitmap* Value) {
    if (Value)
        FGlyph->Assign(Value);
    else
        FGlyph = std::make_unique<TBitmap>();
}

TRect TGlyphList::Part(int State) const {
    const int n = std::max(1, NumGlyphs);
    const int w = FGlyph->Width() / n;
    const int index = State < n ? State : 0;
    return {index * w, 0, index * w + w, FGlyph->Height()};
}

namespace {

// The glyph part as a picture with its transparent colour left out.
QPixmap GlyphPixmap(const TGlyphList& Glyphs, int State) {
    const TRect part = Glyphs.Part(State);
    QImage image =
        Glyphs.Glyph()->Image().copy(ToQRect(part)).convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.isNull() ? 0 : image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == transparent) image.setPixel(x, y, 0);
    return QPixmap::fromImage(image);
}

struct TKindInfo {
    const char* Caption;
    int Result;
};

TKindInfo KindInfo(TBitBtnKind Kind) {
    switch (Kind) {
    case bkOK:
        return {"OK", mrOk};
    case bkCancel:
        return {"Annuleren", mrCancel};
    case bkHelp:
        return {"&Help", mrNone};
    case bkYes:
        return {"&Ja", mrYes};
    case bkNo:
        return {"&Nee", mrNo};
    case bkClose:
        return {"&Sluiten", mrNone};
    case bkAbort:
        return {"Afbreken", mrAbort};
    case bkRetry:
        return {"&Opnieuw", mrRetry};
    case bkIgnore:
        return {"&Negeren", mrIgnore};
    case bkAll:
        return {"&Alle", mrAll};
    default:
        return {"", mrNone};
    }
}

} // namespace

// --- TBitBtn --------------------------------------------------------------------

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {}

void TBitBtn::SetGlyph(const TBitmap* Value) {
    FGlyphs.SetGlyph(Value);
    UpdateIcon();
}

void TBitBtn::SetNumGlyphs(int Value) {
    FGlyphs.NumGlyphs = std::clamp(Value, 1, 4);
    UpdateIcon();
}

void TBitBtn::UpdateIcon() {
    auto* button = static_cast<QPushButton*>(Widget());
    if (FGlyphs.Empty()) {
        button->setIcon(QIcon());
        return;
    }
    QIcon icon(GlyphPixmap(FGlyphs, 0));
    if (FGlyphs.NumGlyphs > 1) icon.addPixmap(GlyphPixmap(FGlyphs, 1), QIcon::Disabled);
    button->setIcon(icon);
    button->setIconSize(ToQRect(FGlyphs.Part(0)).size());
}

void TBitBtn::SetKind(TBitBtnKind Value) {
    FKind = Value;
    const TKindInfo info = KindInfo(Value);
    if (Value == bkCustom) return;
    SetCaption(info.Caption);
    ModalResult = info.Result;
    Default = Value == bkOK || Value == bkYes;
    Cancel = Value == bkCancel || Value == bkNo;
}

// --- TSpeedButton -----------------------------------------------------------------

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 23, 22);
    SetControlStyle(ControlStyle() - csClickEvents); // Click comes from our own MouseUp
    SetParentFont(true);
}

void TSpeedButton::SetFlat(bool Value) {
    FFlat = Value;
    Invalidate();
}

void TSpeedButton::SetGlyph(const TBitmap* Value) {
    FGlyphs.SetGlyph(Value);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int Value) {
    FGlyphs.NumGlyphs = std::clamp(Value, 1, 4);
    Invalidate();
}

std::vector<TSpeedButton*> TSpeedButton::GroupMates() const {
    std::vector<TSpeedButton*> mates;
    if (Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
                b && b != this && b->FGroupIndex == FGroupIndex)
                mates.push_back(b);
    return mates;
}

void TSpeedButton::SetDown(bool Value) {
    if (FGroupIndex == 0) Value = false;
    if (Value == FDown) return;
    const std::vector<TSpeedButton*> mates = GroupMates();
    // The last one down of a group stays down unless all may be up.
    if (!Value && !AllowAllUp &&
        std::none_of(mates.begin(), mates.end(), [](TSpeedButton* b) { return b->FDown; }))
        return;
    FDown = Value;
    if (Value)
        for (TSpeedButton* b : mates)
            if (b->FDown) {
                b->FDown = false;
                b->Invalidate();
            }
    Invalidate();
}

void TSpeedButton::Click() {
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && Enabled()) {
        FPressed = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const bool wasPressed = FPressed;
    FPressed = false;
    if (Button == mbLeft && wasPressed && PtInRect(ClientRect(), {X, Y})) {
        if (FGroupIndex != 0) {
            if (!FDown)
                SetDown(true);
            else if (AllowAllUp)
                SetDown(false);
        }
        Invalidate();
        Click();
    } else {
        Invalidate();
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::MouseEnter() {
    FHot = true;
    if (FFlat) Invalidate();
    TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
    FHot = false;
    if (FFlat) Invalidate();
    TGraphicControl::MouseLeave();
}

void TSpeedButton::Paint() {
    TCanvas* canvas = Canvas();
    const bool down = FDown || FPressed;
    TRect r = ClientRect();
    canvas->Brush()->SetColor(FDown && !FPressed ? clBtnHighlight : Color());
    canvas->FillRect(r);
    if (!FFlat)
        DrawEdge(*canvas, r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    else if (down)
        DrawEdge(*canvas, r, BDR_SUNKENOUTER, BF_RECT);
    else if (FHot && Enabled())
        DrawEdge(*canvas, r, BDR_RAISEDINNER, BF_RECT);
    PaintGlyphAndCaption(down);
}

void TSpeedButton::PaintGlyphAndCaption(bool Pushed) {
    TCanvas* canvas = Canvas();
    const bool down = Pushed;
    const int offset = down ? 1 : 0;
    int glyphW = 0, glyphH = 0;
    if (!FGlyphs.Empty()) {
        glyphW = FGlyphs.Part(0).Width();
        glyphH = FGlyphs.Part(0).Height();
    }
    canvas->Font()->Assign(Font());
    TRect textR{0, 0, 0, 0};
    if (!Caption().empty()) DrawText(*canvas, Caption(), textR, DT_CALCRECT | DT_SINGLELINE);
    const int gap = glyphW > 0 && textR.Width() > 0 ? Spacing : 0;
    const int total = glyphW + gap + textR.Width();
    int x = Margin >= 0 ? Margin : (Width() - total) / 2;
    if (glyphW > 0) {
        const int state = !Enabled() ? 1 : down ? 2 : 0;
        TBitmap part(glyphW, glyphH);
        part.Canvas()->CopyRect(Rect(0, 0, glyphW, glyphH), FGlyphs.Glyph()->Canvas(),
                                FGlyphs.Part(state));
        part.SetTransparent(true);
        canvas->Draw(x + offset, (Height() - glyphH) / 2 + offset, &part);
        x += glyphW + gap;
    }
    if (textR.Width() > 0) {
        TRect t{x + offset, offset, x + offset + textR.Width(), Height() + offset};
        canvas->Brush()->SetStyle(bsClear);
        if (!Enabled()) canvas->Font()->SetColor(clGrayText);
        DrawText(*canvas, Caption(), t, DT_SINGLELINE | DT_VCENTER);
    }
}

void TSpeedButton::CMDialogChar(TMessage& Message) {
    if (IsAccel(static_cast<unsigned>(Message.WParam), Caption()) && Enabled() && Showing()) {
        if (FGroupIndex != 0) SetDown(!FDown || !AllowAllUp);
        Click();
        Message.Result = 1;
        return;
    }
    TGraphicControl::CMDialogChar(Message);
}
