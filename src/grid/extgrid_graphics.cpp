// Cell graphics: their size and place beside the text, and their drawing
// after it; check boxes and radio groups in the grid's control look; and the
// setters that give a cell one of them.

#include <algorithm>
#include <cmath>

#include "grid/extgrid.h"
#include "grid/support/griddraw.h"
#include "grid/support/pictures.h"
#include "grid/support/themebind.h"
#include "platform/vcl/gfx/drawcontrols.h"
#include "platform/vcl/gfx/resources.h"

namespace {

constexpr TColor GlyphBack = 0xFF00FF; // left out when a glyph is drawn

void Blank(TBitmap& B, int W, int H) {
    B.SetSize(W, H);
    B.Canvas()->Brush()->SetColor(GlyphBack);
    B.Canvas()->FillRect({0, 0, W, H});
}

// A 13-pixel box inside a 15-pixel glyph: frame, face and maybe a tick.
void MakeCheck(TBitmap& B, TColor Frame, TColor Face, TColor Tick, bool Checked) {
    Blank(B, 15, 15);
    TCanvas& c = *B.Canvas();
    c.Brush()->SetColor(Face);
    c.Pen()->SetColor(Frame);
    c.Pen()->SetWidth(1);
    c.Rectangle(1, 1, 14, 14);
    if (!Checked) return;
    c.Pen()->SetColor(Tick);
    c.Pen()->SetWidth(2);
    c.Polyline({{4, 7}, {6, 10}, {11, 4}});
}

void MakeRadio(TBitmap& B, TColor Frame, TColor Face, TColor Dot, bool Checked) {
    Blank(B, 16, 16);
    TCanvas& c = *B.Canvas();
    c.Brush()->SetColor(Face);
    c.Pen()->SetColor(Frame);
    c.Ellipse(2, 2, 14, 14);
    if (!Checked) return;
    c.Brush()->SetColor(Dot);
    c.Pen()->SetColor(Dot);
    c.Ellipse(5, 5, 11, 11);
}

void MakeNode(TBitmap& B, TColor Frame, TColor Face, TColor Sign, bool Contracted) {
    Blank(B, 11, 11);
    TCanvas& c = *B.Canvas();
    c.Brush()->SetColor(Face);
    c.Pen()->SetColor(Frame);
    c.Rectangle(1, 1, 10, 10);
    c.Pen()->SetColor(Sign);
    c.MoveTo(3, 5);
    c.LineTo(8, 5);
    if (Contracted) {
        c.MoveTo(5, 3);
        c.LineTo(5, 8);
    }
}

// The grid's own glyphs, registered once on first use.
void RegisterCellGlyphs() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    const TColor xpFrame = 0x80511C, xpTick = 0x21A121, grey = 0xB0B0B0;
    // 05 checked, 06 unchecked, 07 checked disabled, 08 unchecked disabled (XP);
    // 01 .. 04 the same for the house look.
    const struct {
        const char* Name;
        TColor Frame, Face, Mark;
        bool Checked;
    } checks[] = {{"XSGCHK01", 0x404040, clWhite, clBlack, true},
                  {"XSGCHK02", 0x404040, clWhite, clBlack, false},
                  {"XSGCHK03", grey, 0xF0F0F0, grey, true},
                  {"XSGCHK04", grey, 0xF0F0F0, grey, false},
                  {"XSGCHK05", xpFrame, 0xF4F4F4, xpTick, true},
                  {"XSGCHK06", xpFrame, 0xF4F4F4, xpTick, false},
                  {"XSGCHK07", grey, 0xF0F0F0, grey, true},
                  {"XSGCHK08", grey, 0xF0F0F0, grey, false}};
    for (const auto& k : checks) {
        const auto item = k;
        RegisterBitmapResource(item.Name, [item](TBitmap& B) {
            MakeCheck(B, item.Frame, item.Face, item.Mark, item.Checked);
        });
        std::string radio = std::string("XSGRAD") + (item.Name + 6);
        RegisterBitmapResource(radio, [item](TBitmap& B) {
            MakeRadio(B, item.Frame, item.Face, item.Mark, item.Checked);
        });
    }
    RegisterBitmapResource("XSGLEAFOPEN",
                           [](TBitmap& B) { MakeNode(B, 0x808080, clWhite, clBlack, false); });
    RegisterBitmapResource("XSGLEAFCLOSE",
                           [](TBitmap& B) { MakeNode(B, 0x808080, clWhite, clBlack, true); });
    RegisterBitmapResource("XPNODEO",
                           [](TBitmap& B) { MakeNode(B, 0xA99C91, 0xF7F4F2, 0x3F3F3F, false); });
    RegisterBitmapResource("XPNODEC",
                           [](TBitmap& B) { MakeNode(B, 0xA99C91, 0xF7F4F2, 0x3F3F3F, true); });
    RegisterBitmapResource("XSGFILT", [](TBitmap& B) {
        Blank(B, 16, 16);
        TCanvas& c = *B.Canvas();
        c.Brush()->SetColor(clBlack);
        c.Pen()->SetColor(clBlack);
        c.Polygon({{3, 4}, {12, 4}, {8, 8}, {8, 12}, {7, 12}, {7, 8}});
    });
}

void DrawUserGlyph(TCanvas& Canvas, int X, int Y, const TBitmap* Glyph) {
    if (!Glyph || Glyph->Empty()) return;
    TBitmap b;
    b.Assign(Glyph);
    b.SetTransparent(true);
    Canvas.Draw(X, Y, &b);
}

} // namespace

// --- glyphs -------------------------------------------------------------------------

void TExtStringGrid::DrawGridGlyph(TCanvas& Canvas, int X, int Y, const std::string& Name) {
    // Made once per grid and kept: a screen of check boxes draws the same few.
    auto& glyph = FGlyphCache[Name];
    if (!glyph) {
        RegisterCellGlyphs();
        glyph = std::make_unique<TBitmap>();
        LoadBitmapResource(*glyph, Name);
        glyph->SetTransparent(true);
    }
    Canvas.Draw(X, Y, glyph.get());
}

// --- setters ------------------------------------------------------------------------

TCellGraphic* TExtStringGrid::AddCellGraphic(int ACol, int ARow, TCellType AType,
                                             TCellHAlign HAlign, TCellVAlign VAlign) {
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = AType;
    g->CellHAlign = HAlign;
    g->CellVAlign = VAlign;
    RepaintCell(DisplColIndex(ACol), ARow);
    return g;
}

void TExtStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data) {
    TCellGraphic* g =
        AddCellGraphic(ACol, ARow, Data ? ctDataCheckBox : ctCheckBox, haBeforeText, vaCenter);
    g->CellBoolean = State;
    if (Data) WriteCell(ACol, ARow, State ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow));
}

void TExtStringGrid::AddRadio(int ACol, int ARow, bool Horizontal, int ItemIndex,
                              const std::vector<std::string>& Captions) {
    TCellGraphic* g = AddCellGraphic(ACol, ARow, ctRadio, haLeft, vaTop);
    auto list = std::make_unique<TStringList>();
    for (const std::string& s : Captions)
        list->Add(s);
    g->CellBitmap = list.release(); // the graphic frees what it made
    g->CellCreated = true;
    g->CellIndex = ItemIndex;
    g->CellBoolean = Horizontal;
}

void TExtStringGrid::AddButton(int ACol, int ARow, int AWidth, int AHeight,
                               const std::string& Caption, TCellHAlign HAlign, TCellVAlign VAlign) {
    TCellGraphic* g = AddCellGraphic(ACol, ARow, ctButton, HAlign, VAlign);
    g->CellIndex = (AWidth & 0xFFFF) | (AHeight << 16);
    g->CellText = Caption;
}

void TExtStringGrid::AddProgress(int ACol, int ARow, int Percent) {
    AddCellGraphic(ACol, ARow, ctProgress, haFull, vaFull);
    SetInts(ACol, ARow, Percent);
}

void TExtStringGrid::AddProgressPie(int ACol, int ARow, int Percent) {
    AddCellGraphic(ACol, ARow, ctProgressPie, haCenter, vaCenter);
    SetInts(ACol, ARow, Percent);
}

void TExtStringGrid::AddComment(int ACol, int ARow, const std::string& Comment) {
    TCellGraphic* g = AddCellGraphic(ACol, ARow, ctComment, haRight, vaTop);
    g->CellText = Comment;
}

void TExtStringGrid::AddRotated(int ACol, int ARow, int Angle, const std::string& Text) {
    TCellGraphic* g = AddCellGraphic(ACol, ARow, ctRotated, haLeft, vaTop);
    g->CellAngle = Angle;
    g->CellText = Text;
}

void TExtStringGrid::AddBitmap(int ACol, int ARow, const TBitmap* Bitmap, bool Transparent,
                               TCellHAlign HAlign, TCellVAlign VAlign) {
    TCellGraphic* g = AddCellGraphic(ACol, ARow, ctBitmap, HAlign, VAlign);
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(Bitmap);
    g->CellBitmap = copy.release(); // the graphic frees what it made
    g->CellCreated = true;
    g->CellTransparent = Transparent;
}

void TExtStringGrid::AddImages(int ACol, int ARow, const std::vector<int>& Indexes,
                               bool Horizontal) {
    TCellGraphic* g = AddCellGraphic(ACol, ARow, ctImages, haBeforeText, vaTop);
    auto list = std::make_unique<TIntList>(ACol, ARow);
    for (int i : Indexes)
        list->Add(i);
    g->CellBitmap = list.release(); // ctImages always frees its list
    g->CellBoolean = Horizontal;
}

void TExtStringGrid::AddDataImage(int ACol, int ARow, int BaseIndex) {
    TCellGraphic* g = AddCellGraphic(ACol, ARow, ctDataImage, haCenter, vaCenter);
    g->CellIndex = BaseIndex;
}

// --- size and place -------------------------------------------------------------------

TCellGraphic* TExtStringGrid::GetCellGraphicSize(int ACol, int ARow, TCellVAlign& VAlign,
                                                 TCellHAlign& HAlign, bool& TextShown, int& Height,
                                                 int& Width) {
    TextShown = true;
    Height = Width = 0;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return nullptr;
    VAlign = g->CellVAlign;
    HAlign = g->CellHAlign;
    switch (g->CellType) {
    case ctBitmap:
    case ctIcon:
        if (const auto* image = dynamic_cast<const TGraphic*>(
                g->CellType == ctBitmap ? g->CellBitmap : g->CellIcon)) {
            Width = image->Width();
            Height = image->Height();
        }
        break;
    case ctImageList:
    case ctDataImage:
        if (FGridImages) {
            Width = FGridImages->Width();
            Height = FGridImages->Height();
        }
        TextShown = g->CellType != ctDataImage;
        break;
    case ctCheckBox:
        Width = Height = FControlLook->CheckSize();
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        Width = Height = FControlLook->CheckSize();
        TextShown = false;
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
        TextShown = false;
        break;
    case ctImages:
        if (const auto* list = dynamic_cast<const TIntList*>(g->CellBitmap); list && FGridImages) {
            const int n = list->Count();
            Width = g->CellBoolean ? n * FGridImages->Width() : FGridImages->Width();
            Height = g->CellBoolean ? FGridImages->Height() : n * FGridImages->Height();
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        const TPoint p = GetCellGraphicWidth(ACol, ARow);
        Width = p.X;
        Height = p.Y;
        break;
    }
    case ctButton:
    case ctBitButton:
        Width = g->CellIndex & 0xFFFF;
        Height = (g->CellIndex >> 16) & 0xFFFF;
        break;
    case ctProgressPie:
        Width = Height = 20;
        break;
    default:
        break;
    }
    return g;
}

TPoint TExtStringGrid::CheckBoxOrigin(const TRect& R, int W, int TextWidth, bool TextShown,
                                      TAlignment HAlign) {
    int x = R.Left + 1;
    if (HAlign == taRightJustify)
        x = std::max(R.Left + 1, R.Right - W - 1 - (TextShown ? TextWidth : 0));
    else if (HAlign == taCenter)
        x = std::max(R.Left + 1, R.Left + (R.Width() - W) / 2);
    return {x, 0};
}

TRect TExtStringGrid::CheckBoxRect(int ACol, int ARow) {
    const int c = RealColIndex(ACol);
    TCellVAlign va = vaTop;
    TCellHAlign ha = haLeft;
    bool shown = true;
    int w = 0, h = 0;
    const TCellGraphic* g = GetCellGraphicSize(c, ARow, va, ha, shown, h, w);
    if (!g || (g->CellType != ctCheckBox && g->CellType != ctDataCheckBox &&
               g->CellType != ctVirtCheckBox))
        return {0, 0, 0, 0};
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    GetCellAlign(c, ARow, hAlign, vAlign);
    const TRect r = CellContentRect(ACol, ARow);
    const int x = CheckBoxOrigin(r, w, 0, false, hAlign).X;
    const int y = GraphicPlace(r, *g, w, h, 0, hAlign).Y;
    return {x, y, x + w, y + h};
}

TRect TExtStringGrid::RadioItemRect(TCanvas& Canvas, const TRect& R, int Count, int Index,
                                    bool Horizontal, const TStrings* Captions) {
    const TControlLookStyle style = FControlLook->ControlStyle();
    const bool small = style == csClassic || style == csFlat;
    const int size = small ? FControlLook->RadioSize() + (style == csFlat ? 2 : 0) : 16;
    const bool captions = Captions && Captions->Count() > 0;
    if (Horizontal) {
        int x = R.Left + 2;
        for (int i = 0; i < Index && i < Count; ++i) {
            x += size;
            if (captions && i < Captions->Count()) x += 2 + Canvas.TextWidth(Captions->Get(i)) + 8;
        }
        const int y = R.Top + std::max(0, (R.Height() - size) / 2);
        return {x, y, x + size, y + size};
    }
    int height = Canvas.TextHeight("gh");
    if (!small) height = std::max(height, 16);
    const int y = R.Top + 2 + Index * height + std::max(0, (height - size) / 2);
    const int x = captions ? R.Left + 2 : R.Left + std::max(0, (R.Width() - size) / 2);
    return {x, y, x + size, y + size};
}

// --- drawing --------------------------------------------------------------------------

void TExtStringGrid::DrawBevel(TCanvas& Canvas, const TRect& R, TColor TopLeft,
                               TColor BottomRight) {
    Canvas.Pen()->SetColor(TopLeft);
    Canvas.MoveTo(R.Left, R.Bottom - 2);
    Canvas.LineTo(R.Left, R.Top);
    Canvas.LineTo(R.Right - 1, R.Top);
    Canvas.Pen()->SetColor(BottomRight);
    Canvas.LineTo(R.Right - 1, R.Bottom - 1);
    Canvas.LineTo(R.Left - 1, R.Bottom - 1);
}

bool TExtStringGrid::DrawControlFace(TCanvas& Canvas, const TRect& Box, bool Radio,
                                     TControlLookStyle Style, bool Checked, bool Enabled) {
    switch (Style) {
    case csClassic:
    case csFlat: {
        unsigned state = Radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
        if (Style == csFlat) state |= DFCS_FLAT;
        if (Checked) state |= DFCS_CHECKED;
        if (!Enabled) state |= DFCS_INACTIVE;
        const TBrushStyle brush = Canvas.Brush()->Style();
        Canvas.Brush()->SetStyle(bsSolid);
        DrawFrameControl(Canvas, Box, DFC_BUTTON, state);
        Canvas.Brush()->SetStyle(brush);
        return true;
    }
    case csWinXP:
    case csHouse: {
        // Checked, unchecked, checked disabled, unchecked disabled: 1 .. 4 in
        // the house look, 5 .. 8 in the XP look.
        const int n = (Style == csHouse ? 1 : 5) + (Checked ? 0 : 1) + (Enabled ? 0 : 2);
        DrawGridGlyph(Canvas, Box.Left, Box.Top,
                      (Radio ? "XSGRAD0" : "XSGCHK0") + std::to_string(n));
        return true;
    }
    case csGlyph: {
        const TControlLook& l = *FControlLook;
        DrawUserGlyph(Canvas, Box.Left, Box.Top,
                      Radio ? (Checked ? l.RadioOnGlyph() : l.RadioOffGlyph())
                            : (Checked ? l.CheckedGlyph() : l.UnCheckedGlyph()));
        return true;
    }
    case csTheme:
        DrawThemePart(Handle(), u"button", Radio ? 2 : 3,
                      Checked ? (Enabled ? 5 : 8) : (Enabled ? 1 : 4), Canvas, Box);
        return true;
    case csVarnok:
        break;
    }
    return false;
}

void TExtStringGrid::DrawCheckBox(TCanvas& Canvas, const TRect& R, bool Checked, bool Enabled,
                                  TControlLookStyle Style) {
    const int size = FControlLook->CheckSize();
    // The frame controls take a square centred in R, the glyphs its top-left corner.
    const bool frame = Style == csClassic || Style == csFlat;
    const int x = frame ? R.Left + (R.Width() - size) / 2 : R.Left;
    const int y = frame ? R.Top + (R.Height() - size) / 2 : R.Top;
    if (DrawControlFace(Canvas, {x, y, x + size, y + size}, false, Style, Checked, Enabled)) return;
    switch (Style) {
    case csVarnok: {
        const TRect b{R.Left + 1, R.Top + 1, R.Left + 14, R.Top + 14};
        Canvas.Brush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
        Canvas.FillRect(b);
        DrawBevel(Canvas, b, clBtnHighlight, clBtnShadow);
        if (Checked) {
            Canvas.Pen()->SetColor(Enabled ? FControlLook->Color() : TColor(0x808080));
            Canvas.Pen()->SetWidth(2);
            Canvas.Polyline(
                {{b.Left + 3, b.Top + 6}, {b.Left + 5, b.Top + 9}, {b.Left + 10, b.Top + 3}});
            Canvas.Pen()->SetWidth(1);
        }
        break;
    }
    default:
        break;
    }
}

void TExtStringGrid::DrawRadioGroup(TCanvas& Canvas, const TRect& R, int Count, int ItemIndex,
                                    bool Disabled, bool Horizontal, const TStrings* Captions,
                                    const std::string& CellText) {
    const TControlLookStyle style = FControlLook->ControlStyle();
    const bool captions = Captions && Captions->Count() > 0;
    Canvas.Brush()->SetStyle(bsClear);
    for (int i = 0; i < Count; ++i) {
        const TRect b = RadioItemRect(Canvas, R, Count, i, Horizontal, Captions);
        const bool checked =
            ItemIndex >= 0 ? i == ItemIndex
                           : (captions && i < Captions->Count() && Captions->Get(i) == CellText);
        switch (style) {
        case csVarnok: {
            const int cx = b.Left + 8, cy = b.Top + 8;
            Canvas.Brush()->SetStyle(bsSolid);
            Canvas.Brush()->SetColor(clBtnFace);
            Canvas.Pen()->SetColor(0x808080);
            Canvas.Polygon({{cx, cy - 6}, {cx + 6, cy}, {cx, cy + 6}, {cx - 6, cy}});
            Canvas.Pen()->SetColor(clWhite);
            Canvas.MoveTo(cx - 6, cy);
            Canvas.LineTo(cx, cy - 6);
            if (checked) {
                Canvas.Brush()->SetColor(FControlLook->Color());
                Canvas.Pen()->SetColor(FControlLook->Color());
                Canvas.Polygon({{cx, cy - 3}, {cx + 3, cy}, {cx, cy + 3}, {cx - 3, cy}});
            }
            Canvas.Brush()->SetStyle(bsClear);
            break;
        }
        default:
            DrawControlFace(Canvas, b, true, style, checked, !Disabled);
            break;
        }
        if (captions && i < Captions->Count()) {
            const int th = Canvas.TextHeight("gh");
            Canvas.TextOut(b.Right + 2, b.Top + (b.Height() - th) / 2, Captions->Get(i));
        }
    }
    Canvas.Brush()->SetStyle(bsSolid);
}

TPoint TExtStringGrid::GraphicPlace(const TRect& R, const TCellGraphic& G, int GW, int GH,
                                    int TextWidth, TAlignment HAlign) {
    const int L = R.Left, T = R.Top, Rr = R.Right, B = R.Bottom;
    const int TW = TextWidth;
    int x = L + 1, y = T + 1;
    switch (G.CellHAlign) {
    case haLeft:
        x = L + 1;
        break;
    case haRight:
        x = Rr - 1 - GW;
        break;
    case haCenter:
        x = GW < Rr - L ? L + (Rr - L - GW) / 2 : L + 1;
        break;
    case haBeforeText:
        x = HAlign == taLeftJustify ? L + 1 : std::max(L + 1, Rr - TW - GW);
        break;
    case haAfterText:
        x = HAlign == taRightJustify ? Rr - 1 - GW : L + TW;
        break;
    case haFull:
        x = L;
        break;
    }
    switch (G.CellVAlign) {
    case vaTop:
    case vaAboveText:
        y = T + 1;
        break;
    case vaBottom:
        y = B - 1 - GH;
        break;
    case vaCenter:
        y = GH < B - T ? T + (B - T - GH) / 2 : T + 1;
        break;
    case vaUnderText:
        y = B - GH;
        break;
    case vaFull:
        y = T;
        break;
    }
    return {x, y};
}

TRect TExtStringGrid::CellContentRect(int ACol, int ARow) {
    // As the drawing gets it: inside the grid lines, after a node's indent.
    int bc = ACol, br = ARow;
    CheckBaseCell(ACol, ARow, bc, br);
    TRect r = MergedCellRect(bc, br);
    InflateRect(r, -GridLineWidth(), -GridLineWidth());
    const int indent = bc == 0 ? GetNodeIndent(br) : 0;
    if (indent > 0) r.Left += indent + 4;
    return r;
}

TRect TExtStringGrid::GetButtonRect(int ACol, int ARow) {
    const int c = RealColIndex(ACol);
    TCellVAlign va = vaTop;
    TCellHAlign ha = haLeft;
    bool shown = true;
    int w = 0, h = 0;
    const TCellGraphic* g = GetCellGraphicSize(c, ARow, va, ha, shown, h, w);
    if (!g || (g->CellType != ctButton && g->CellType != ctBitButton)) return {0, 0, 0, 0};
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    GetCellAlign(c, ARow, hAlign, vAlign);
    const TRect r = CellContentRect(ACol, ARow);
    const TPoint p = GraphicPlace(r, *g, w, h, 0, hAlign);
    TRect b{p.X, p.Y, p.X + w, p.Y + h};
    if (g->CellHAlign == haFull) {
        b.Left = r.Left;
        b.Right = r.Right;
    }
    if (g->CellVAlign == vaFull) {
        b.Top = r.Top;
        b.Bottom = r.Bottom;
    }
    return b;
}

void TExtStringGrid::DrawCellGraphic(TCanvas& Canvas, int ACol, int ARow, const TRect& R,
                                     TCellGraphic& G, int GW, int GH, int TextWidth,
                                     TAlignment HAlign, TVAlignment VAlign, bool Selected) {
    const int c = RealColIndex(ACol);
    const int L = R.Left, T = R.Top, Rr = R.Right, B = R.Bottom;
    const int TW = TextWidth;
    const TPoint place = GraphicPlace(R, G, GW, GH, TW, HAlign);
    int x = place.X, y = place.Y;
    bool canEdit = true;
    switch (G.CellType) {
    case ctBitmap:
        if (const auto* bmp = dynamic_cast<const TBitmap*>(G.CellBitmap)) {
            if (G.CellTransparent) {
                const TColor back = Selected && FSelectionColor != clNone ? FSelectionColor
                                                                          : Canvas.Brush()->Color();
                DrawTransparentBitmap(Canvas, {x, y, x + bmp->Width(), y + bmp->Height()}, *bmp,
                                      back);
            } else {
                Canvas.Draw(x, y, bmp);
            }
        }
        break;
    case ctIcon:
        if (const auto* icon = dynamic_cast<const TGraphic*>(G.CellIcon)) Canvas.Draw(x, y, icon);
        break;
    case ctImageList:
        // An index outside the list draws nothing.
        if (FGridImages && G.CellIndex >= 0 && G.CellIndex < FGridImages->Count())
            FGridImages->Draw(&Canvas, x, y, G.CellIndex);
        break;
    case ctDataImage:
        if (FGridImages) {
            const int index = G.CellIndex + GetInts(c, ARow);
            if (index >= 0 && index < FGridImages->Count()) FGridImages->Draw(&Canvas, x, y, index);
        }
        break;
    case ctImages:
        if (const auto* list = dynamic_cast<const TIntList*>(G.CellBitmap); list && FGridImages) {
            for (int i = 0; i < list->Count(); ++i) {
                const int index = list->Items(i);
                if (index >= 0 && index < FGridImages->Count())
                    FGridImages->Draw(&Canvas, x, y, index);
                if (G.CellBoolean)
                    x += FGridImages->Width();
                else
                    y += FGridImages->Height();
            }
        }
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        CanEditCell(c, ARow, canEdit);
        const bool textShown = G.CellType == ctCheckBox && !ReadCell(c, ARow).empty();
        x = CheckBoxOrigin(R, GW, TW, textShown, HAlign).X;
        const bool checked =
            G.CellType == ctCheckBox ? G.CellBoolean : ReadCell(c, ARow) == GetCheckTrue(c, ARow);
        DrawCheckBox(Canvas, {x, y, x + GW, y + GH}, checked, canEdit,
                     FControlLook->ControlStyle());
        break;
    }
    case ctRadio: {
        CanEditCell(c, ARow, canEdit);
        const auto* captions = dynamic_cast<const TStrings*>(G.CellBitmap);
        if (Selected && FShowSelection && FSelectionTextColor != clNone)
            Canvas.Font()->SetColor(FSelectionTextColor);
        DrawRadioGroup(Canvas, R, captions ? captions->Count() : 0, G.CellIndex, !canEdit,
                       G.CellBoolean, captions, ReadCell(c, ARow));
        break;
    }
    case ctRotated: {
        TFont old;
        SelectRotatedFont(Canvas, G.CellAngle, old);
        TRect r = R;
        InflateRect(r, -2, -2);
        const std::string text = G.CellText.empty() ? ReadCell(c, ARow) : G.CellText;
        const TPoint o = GetRotatedTextOrigin(r, HAlign, VAlign, text, G.CellAngle);
        Canvas.Brush()->SetStyle(bsClear);
        Canvas.TextOut(o.X, o.Y, text);
        Canvas.Brush()->SetStyle(bsSolid);
        RestoreFont(Canvas, old);
        break;
    }
    case ctNode: {
        // The glyph sits in the indent band just before the content.
        const int nx = R.Left - 4 - FCellNode->NodeIndent();
        const int mid = T + (B - T) / 2;
        const bool contracted = G.CellBoolean;
        const TBitmap* glyph = contracted ? FCellNode->ContractGlyph() : FCellNode->ExpandGlyph();
        switch (FCellNode->NodeType()) {
        case cnLeaf:
            DrawGridGlyph(Canvas, nx + 1, mid - 5 + 2, contracted ? "XSGLEAFCLOSE" : "XSGLEAFOPEN");
            break;
        case cnXP:
            DrawGridGlyph(Canvas, nx + 1, mid - 5, contracted ? "XPNODEC" : "XPNODEO");
            break;
        case cnGlyph:
            if (!FCellNode->ExpandGlyph()->Empty() && !FCellNode->ContractGlyph()->Empty()) {
                DrawUserGlyph(Canvas, nx + 1, mid - glyph->Height() / 2, glyph);
                break;
            }
            [[fallthrough]];
        case cn3D: {
            TRect box{nx + 2, mid - 4, nx + 11, mid + 5};
            if (FCellNode->NodeType() == cn3D) {
                Canvas.Brush()->SetColor(FCellNode->Color);
                Canvas.FillRect(box);
            }
            DrawEdge(Canvas, box, contracted ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_SOFT);
            break;
        }
        case cnFlat: {
            const TRect box{nx + 2, mid - 4, nx + 11, mid + 5};
            Canvas.Pen()->SetColor(FCellNode->NodeColor);
            Canvas.Brush()->SetStyle(bsClear);
            Canvas.Rectangle(box);
            Canvas.Brush()->SetStyle(bsSolid);
            Canvas.MoveTo(box.Left + 2, mid);
            Canvas.LineTo(box.Right - 2, mid);
            if (contracted) {
                Canvas.MoveTo(box.Left + 4, box.Top + 2);
                Canvas.LineTo(box.Left + 4, box.Bottom - 2);
            }
            break;
        }
        }
        break;
    }
    case ctPicture:
        if (const auto* pic = dynamic_cast<const TGraphic*>(G.CellBitmap)) {
            if (G.CellAngle != 0)
                Canvas.StretchDraw({x, y, x + GW, y + GH}, pic);
            else
                Canvas.Draw(x, y, pic);
        }
        break;
    case ctProgress: {
        const int mx = FControlLook->ProgressMarginX(), my = FControlLook->ProgressMarginY();
        TRect r{L + mx, T + my, Rr - mx, B - my};
        if (r.Right <= r.Left || r.Bottom <= r.Top) break;
        const int value = std::clamp(GetInts(c, ARow), 0, 100);
        const bool themed =
            FControlLook->ProgressXP() && FXPLook &&
            (FControlLook->ControlStyle() == csWinXP || FControlLook->ControlStyle() == csTheme);
        if (themed && DrawThemePart(Handle(), u"Progress", 1, 1, Canvas, r)) {
            TRect chunk = r;
            InflateRect(chunk, -1, -1);
            chunk.Right = chunk.Left + chunk.Width() * value / 100;
            DrawThemePart(Handle(), u"Progress", 3, 1, Canvas, chunk);
        } else {
            DrawProgressBar(Canvas, r, value, 0xD77800, clWhite, clWindow, clBlack);
        }
        break;
    }
    case ctProgressPie:
        DrawProgressPie(Canvas, {x, y, x + 20, y + 20}, std::clamp(GetInts(c, ARow), 0, 100));
        break;
    case ctComment:
        if (CommentColor != clNone) {
            Canvas.Pen()->SetColor(CommentColor);
            Canvas.Brush()->SetColor(CommentColor);
            Canvas.Polygon({{Rr - 7, T}, {Rr - 2, T}, {Rr - 2, T + 6}});
            Canvas.Brush()->SetColor(Color());
        }
        break;
    case ctButton:
    case ctBitButton: {
        TRect b{x, y, x + GW, y + GH};
        if (G.CellHAlign == haFull) {
            b.Left = L;
            b.Right = Rr;
        }
        if (G.CellVAlign == vaFull) {
            b.Top = T;
            b.Bottom = B;
        }
        const bool pushed = G.CellBoolean;
        if (!(FXPLook && DrawThemePart(Handle(), u"button", 1, pushed ? 3 : 1, Canvas, b))) {
            unsigned state = DFCS_BUTTONPUSH;
            if (FControlLook->FlatButton()) state |= DFCS_FLAT;
            if (pushed) state |= DFCS_PUSHED;
            DrawFrameControl(Canvas, b, DFC_BUTTON, state);
        }
        TRect content = b;
        InflateRect(content, pushed ? -3 : -2, pushed ? -3 : -2);
        if (G.CellType == ctBitButton)
            if (const auto* glyph = dynamic_cast<const TBitmap*>(G.CellBitmap)) {
                DrawUserGlyph(Canvas, content.Left,
                              content.Top + (content.Height() - glyph->Height()) / 2, glyph);
                content.Left += glyph->Width() + 2;
            }
        Canvas.Font()->SetColor(clBtnText);
        Canvas.Brush()->SetStyle(bsClear);
        DrawText(Canvas, G.CellText, content,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        Canvas.Brush()->SetStyle(bsSolid);
        break;
    }
    default:
        break;
    }
    (void)VAlign;
}
