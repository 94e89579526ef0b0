#include "grid/support/htmlcanvas.h"

#include <algorithm>
#include <map>
#include <memory>

#include "grid/support/themebind.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/gfx/drawcontrols.h"
#include "platform/vcl/shellicons.h"

namespace {

// Icons of files and file types, made once per lookup: a cell is painted often.
class TShellIconCache {
public:
    const TGraphic* Icon(const std::string& Source, bool Large) {
        std::unique_ptr<TBitmap>& icon = FIcons[{Large, Source}];
        if (!icon) {
            icon = std::make_unique<TBitmap>();
            LoadShellIcon(*icon, Source, Large);
        }
        return icon.get();
    }

private:
    std::map<std::pair<bool, std::string>, std::unique_ptr<TBitmap>> FIcons;
};

} // namespace

THTMLImageLookup HTMLImageLookup(std::function<const TGraphic*(int Index)> ImageList,
                                 THTMLPictureCache* Cache, TPictureContainer* Container) {
    return [ImageList = std::move(ImageList), Cache, Container,
            Icons =
                std::make_shared<TShellIconCache>()](const std::string& Source) -> const TGraphic* {
        const std::string upper = UpperCase(Source);
        if (upper.rfind("SSYS:", 0) == 0 || upper.rfind("LSYS:", 0) == 0)
            return Icons->Icon(Source.substr(5), upper[0] == 'L');
        if (upper.rfind("IDX:", 0) == 0) {
            int index = -1;
            if (!ImageList || !TryStrToInt(Trim(Source.substr(4)), index) || index < 0)
                return nullptr;
            return ImageList(index);
        }
        if (Source.find("://") != std::string::npos)
            return Cache ? Cache->PictureFor(Source) : nullptr;
        if (Source.find(':') != std::string::npos) return nullptr; // no name of a picture
        return Container ? Container->FindPicture(Source) : nullptr;
    };
}

THTMLFont HTMLFontOf(const TFont& Font) {
    THTMLFont f;
    f.Name = Font.Name();
    f.Size = Font.Size();
    f.Bold = Font.Style().Contains(fsBold);
    f.Italic = Font.Style().Contains(fsItalic);
    f.Underline = Font.Style().Contains(fsUnderline);
    f.StrikeOut = Font.Style().Contains(fsStrikeOut);
    f.Color = Font.Color();
    f.Angle = Font.Orientation() / 10;
    return f;
}

void TCanvasHTMLSurface::Select(const THTMLFont& Font) {
    if (FHasSelected && Font == FSelected) return;
    TFont* f = FCanvas.Font();
    if (!FHasSelected || Font.Name != FSelected.Name) f->SetName(Font.Name);
    if (!FHasSelected || Font.Size != FSelected.Size) f->SetSize(Font.Size);
    TFontStyles style;
    if (Font.Bold) style.Include(fsBold);
    if (Font.Italic) style.Include(fsItalic);
    if (Font.Underline) style.Include(fsUnderline);
    if (Font.StrikeOut) style.Include(fsStrikeOut);
    f->SetStyle(style);
    f->SetColor(Font.Color);
    f->SetOrientation(Font.Angle * 10);
    FSelected = Font;
    FHasSelected = true;
}

TSize TCanvasHTMLSurface::TextExtent(const THTMLFont& Font, const std::string& Text) {
    Select(Font);
    return FCanvas.TextExtent(Text);
}

void TCanvasHTMLSurface::DrawText(const THTMLFont& Font, const TRect& R, const std::string& Text,
                                  TColor Background, bool Ellipsis) {
    Select(Font);
    // Plain text on no background is measured once, by the drawing itself.
    const bool angled = Font.Angle % 360 != 0;
    const TSize ext = Background != clNone || angled ? FCanvas.TextExtent(Text) : TSize{};
    if (Background != clNone) {
        FCanvas.Brush()->SetColor(Background);
        FCanvas.FillRect({R.Left, R.Bottom - ext.cy, std::min(R.Right, R.Left + ext.cx), R.Bottom});
    }
    FCanvas.Brush()->SetStyle(bsClear);
    FCanvas.SetBkMode(TRANSPARENT);
    if (angled) {
        FCanvas.TextOut(R.Left, R.Bottom - ext.cy, Text);
        return;
    }
    TRect r = R;
    ::DrawText(FCanvas, Text, r,
               DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING | DT_BOTTOM | DT_NOPREFIX |
                   (Ellipsis ? DT_END_ELLIPSIS : 0u));
}

void TCanvasHTMLSurface::FillRect(const TRect& R, TColor Color) {
    FCanvas.Brush()->SetColor(Color);
    FCanvas.FillRect(R);
}

void TCanvasHTMLSurface::FrameRect(const TRect& R, TColor Color) {
    FCanvas.Brush()->SetColor(Color);
    FCanvas.FrameRect(R);
}

void TCanvasHTMLSurface::Polyline(const std::vector<TPoint>& Points, TColor Color, int Width) {
    FCanvas.Pen()->SetColor(Color);
    FCanvas.Pen()->SetWidth(Width);
    FCanvas.Polyline(Points);
}

void TCanvasHTMLSurface::DrawFocusRect(const TRect& R) {
    FCanvas.DrawFocusRect(R);
}

bool TCanvasHTMLSurface::DrawThemedPart(THTMLControlPart Part, const TRect& R, bool Checked,
                                        bool Hot, bool Pressed) {
    // Normal 1, hot 2, pressed 3; checked boxes count from 5.
    const int state = Pressed ? 3 : Hot ? 2 : 1;
    switch (Part) {
    case THTMLControlPart::CheckBox:
        return DrawThemePart(nullptr, u"button", BP_CHECKBOX, state + (Checked ? 4 : 0), FCanvas,
                             R);
    case THTMLControlPart::RadioButton:
        return DrawThemePart(nullptr, u"button", BP_RADIOBUTTON, state + (Checked ? 4 : 0), FCanvas,
                             R);
    case THTMLControlPart::PushButton:
        return DrawThemePart(nullptr, u"button", BP_PUSHBUTTON, state, FCanvas, R);
    case THTMLControlPart::ComboButton:
        return DrawThemePart(nullptr, u"combobox", CP_DROPDOWNBUTTON, Hot ? CBXS_HOT : CBXS_NORMAL,
                             FCanvas, R);
    }
    return false;
}

void TCanvasHTMLSurface::DrawControlPart(THTMLControlPart Part, const TRect& R, bool Checked,
                                         bool Hot, bool Pressed) {
    if (DrawThemedPart(Part, R, Checked, Hot, Pressed)) {
        FHasSelected = false;
        return;
    }
    switch (Part) {
    case THTMLControlPart::CheckBox:
    case THTMLControlPart::RadioButton: {
        unsigned state = DFCS_FLAT | (Checked ? DFCS_CHECKED : 0u);
        if (Part == THTMLControlPart::RadioButton) state |= DFCS_BUTTONRADIO;
        DrawFrameControl(FCanvas, R, DFC_BUTTON, state);
        break;
    }
    case THTMLControlPart::PushButton:
        DrawFrameControl(FCanvas, R, DFC_BUTTON, DFCS_BUTTONPUSH | (Pressed ? DFCS_PUSHED : 0u));
        break;
    case THTMLControlPart::ComboButton:
        DrawFrameControl(FCanvas, R, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
        break;
    }
    FHasSelected = false; // the frame control may have set a font of its own
}

const TGraphic* TCanvasHTMLSurface::Lookup(const std::string& Source) const {
    if (!FImages) return nullptr;
    const TGraphic* g = FImages(Source);
    return g && !g->Empty() ? g : nullptr;
}

bool TCanvasHTMLSurface::ImageSize(const std::string& Source, TSize& Size) {
    const TGraphic* g = Lookup(Source);
    if (!g) return false;
    Size = {g->Width(), g->Height()};
    return true;
}

void TCanvasHTMLSurface::DrawImage(const std::string& Source, const TRect& R) {
    const TGraphic* g = Lookup(Source);
    if (!g) return;
    if (R.Width() == g->Width() && R.Height() == g->Height())
        FCanvas.Draw(R.Left, R.Top, g);
    else if (const auto* pic = dynamic_cast<const THTMLPicture*>(g))
        FCanvas.StretchDraw(R, &pic->Decoded()); // WIDTH and HEIGHT stretch whatever its Stretch
    else
        FCanvas.StretchDraw(R, g);
}

void TCanvasHTMLSurface::TileImage(const std::string& Source, const TRect& R) {
    const TGraphic* g = Lookup(Source);
    if (!g) return;
    const int saved = FCanvas.SaveDC();
    FCanvas.IntersectClipRect(R);
    for (int y = R.Top; y < R.Bottom; y += g->Height())
        for (int x = R.Left; x < R.Right; x += g->Width())
            FCanvas.Draw(x, y, g);
    FCanvas.RestoreDC(saved);
}

namespace {

// Gives the canvas back its font, brush and background mode, also when a
// picture lookup throws.
class TCanvasStateGuard {
public:
    explicit TCanvasStateGuard(TCanvas& Canvas) : FCanvas(Canvas), FBkMode(Canvas.BkMode()) {
        FFont.Assign(Canvas.Font());
        FBrush.Assign(Canvas.Brush());
    }
    ~TCanvasStateGuard() {
        FCanvas.Font()->Assign(&FFont);
        FCanvas.Brush()->Assign(&FBrush);
        FCanvas.SetBkMode(FBkMode);
    }
    TCanvasStateGuard(const TCanvasStateGuard&) = delete;
    TCanvasStateGuard& operator=(const TCanvasStateGuard&) = delete;

private:
    TCanvas& FCanvas;
    TFont FFont;
    TBrush FBrush;
    int FBkMode;
};

} // namespace

bool RenderHTML(TCanvas& Canvas, const std::string& Text, const TRect& Rect,
                const THTMLRenderParams& Params, THTMLRenderResult& Result,
                const THTMLImageLookup& Images) {
    const TCanvasStateGuard guard(Canvas);
    TCanvasHTMLSurface surface(Canvas, Images);
    return RenderHTMLOn(surface, HTMLFontOf(*Canvas.Font()), Canvas.Brush()->Color(), Text, Rect,
                        Params, Result);
}
