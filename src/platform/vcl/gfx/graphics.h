#pragma once
// Fonts, pens, brushes, the canvas and bitmaps.
//
// The canvas draws with the platform's pixel rules: a rectangle covers its left
// and top edge but not its right and bottom edge, LineTo leaves its end point
// undrawn, and nothing is antialiased. Code above the platform sees no Qt here;
// the Qt side of these classes is reached through qtconvert.h.

#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/classes.h"
#include "platform/rtl/sets.h"
#include "platform/rtl/types.h"
#include "platform/vcl/gfx/colors.h"

class QPaintDevice;
class QPainter;
class QImage;
class QRegion;

// --- graphics objects ---------------------------------------------------------

// A font, pen or brush: a persistent value that reports each change.
class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    void Changed();
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = unsigned char;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset OEM_CHARSET = 255;

class TFont : public TGraphicsObject {
public:
    TFont();
    std::string ClassName() const override { return "TFont"; }
    void Assign(const TPersistent* Source) override;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value);
    // Points at 96 pixels per inch; Height is the same size as a (negative)
    // character height in pixels. A positive Height is a cell height.
    int Size() const;
    void SetSize(int Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    int PixelsPerInch() const { return 96; }
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    // Text angle in tenths of a degree, counter-clockwise (900 runs upward).
    int Orientation() const { return FOrientation; }
    void SetOrientation(int Value);

    bool operator==(const TFont& Other) const;

private:
    std::string FName = "MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    int FOrientation = 0;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

class TPen : public TGraphicsObject {
public:
    std::string ClassName() const override { return "TPen"; }
    void Assign(const TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value);

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush : public TGraphicsObject {
public:
    std::string ClassName() const override { return "TBrush"; }
    void Assign(const TPersistent* Source) override;

    TColor Color() const { return FColor; }
    // Setting a colour makes a clear brush solid again, as the platform does.
    void SetColor(TColor Value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value);

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

// Measures of a font in pixels.
struct TTextMetric {
    int tmHeight = 0; // ascent + descent
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0; // room for accents inside tmHeight
    int tmExternalLeading = 0; // suggested room between lines
    int tmAveCharWidth = 0;    // width of an average lower-case letter
    int tmMaxCharWidth = 0;
};
TTextMetric GetTextMetrics(const TFont& Font);

// --- canvas -------------------------------------------------------------------

class TGraphic;
class TBitmap;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// ExtTextOut options.
constexpr unsigned ETO_OPAQUE = 2;
constexpr unsigned ETO_CLIPPED = 4;

// Answers of the clipping calls.
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// How FloodFill finds its area: the pixels of one colour (fsSurface) or all
// up to a border of one colour (fsBorder).
enum TFillStyle { fsSurface, fsBorder };

// How CopyRect combines source and destination.
enum TCopyMode {
    cmSrcCopy,
    cmSrcAnd,
    cmSrcPaint,
    cmSrcInvert,
    cmDstInvert,
    cmBlackness,
    cmWhiteness
};

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    std::string ClassName() const override { return "TCanvas"; }

    // Drawing happens between BeginPaint and EndPaint, on a painter made for the
    // device, with antialiasing off. BeginPaint clears the clip region, the
    // saved states, the origin and mirroring, and selects the canvas's current
    // font, pen and brush (those objects and the pen position are kept, as they
    // belong to the canvas, not to one paint). Outside painting, drawing calls
    // do nothing and measuring still works.
    void BeginPaint(QPaintDevice* Device);
    // The same for a paint event that repaints only UpdateRegion (device
    // pixels): ClipRect then answers that region's bounds, as the platform's
    // does, so that painting code can skip what lies outside.
    void BeginPaint(QPaintDevice* Device, const QRegion& UpdateRegion);
    void EndPaint();
    bool Painting() const;
    // The painter while painting (platform code only), else nullptr.
    QPainter* Painter() const;

    TFont* Font() const { return FFont.get(); }
    TPen* Pen() const { return FPen.get(); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetFont(const TFont& Value) { FFont->Assign(&Value); }
    void SetPen(const TPen& Value) { FPen->Assign(&Value); }
    void SetBrush(const TBrush& Value) { FBrush->Assign(&Value); }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }

    // Background of text, hatches and pen gaps: TRANSPARENT or OPAQUE, in
    // BkColor. A brush change sets both from the brush, as the platform does:
    // a solid brush makes it opaque in the brush colour, others transparent.
    int BkMode() const { return FBkMode; }
    int SetBkMode(int Mode);
    TColor BkColor() const { return FBkColor; }
    TColor SetBkColor(TColor Color);
    // The colour of text; a font change sets it from the font.
    TColor TextColor() const { return FTextColor; }
    TColor SetTextColor(TColor Color);

    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(const TPoint& Value) { FPenPos = Value; }
    void MoveTo(int X, int Y) { FPenPos = {X, Y}; }
    void LineTo(int X, int Y);
    void Polyline(const std::vector<TPoint>& Points);
    void Polygon(const std::vector<TPoint>& Points);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void FillRect(const TRect& R);
    void FrameRect(const TRect& R);
    // An inverting dotted frame; drawing it twice restores the pixels.
    void DrawFocusRect(const TRect& R);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    // Arc, Pie and Chord run counter-clockwise from the ray through (X3, Y3)
    // to the ray through (X4, Y4), on the ellipse bounded by (X1, Y1, X2, Y2).
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);

    // Text at (X, Y) as its top-left corner, rotated by the font's orientation;
    // the pen position moves to the end of the text.
    void TextOut(int X, int Y, const std::string& Text);
    // Text clipped to R; the background of R is filled unless the brush is clear.
    void TextRect(const TRect& R, int X, int Y, const std::string& Text);
    void ExtTextOut(int X, int Y, unsigned Options, const TRect* R, const std::string& Text);
    int TextWidth(const std::string& Text) const { return TextExtent(Text).cx; }
    int TextHeight(const std::string& Text) const { return TextExtent(Text).cy; }
    TSize TextExtent(const std::string& Text) const;
    // Wide (UTF-16) text, every character as it is, not through the code page.
    void ExtTextOutW(int X, int Y, unsigned Options, const TRect* R, const std::u16string& Text);
    TSize TextExtentW(const std::u16string& Text) const;
    TTextMetric TextMetrics() const { return GetTextMetrics(*FFont); }
    // Every device of this layer is measured at 96 pixels per inch.
    int PixelsPerInch() const { return 96; }

    void Draw(int X, int Y, const TGraphic* Graphic);
    void StretchDraw(const TRect& R, const TGraphic* Graphic);
    // Fills with the brush the area around (X, Y) (only on devices whose
    // pixels can be read: bitmaps and images).
    void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);
    // Copies Source (SourceRect) into Dest, scaled, combined by CopyMode.
    void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);
    // Copies a bitmap part with every pixel of colour Color painted in the brush.
    void BrushCopy(const TRect& Dest, const TBitmap* Bitmap, const TRect& Source, TColor Color);

    // clNone-like 0xFFFFFFFF (CLR_INVALID) when the device cannot be read.
    TColor Pixel(int X, int Y) const;
    void SetPixel(int X, int Y, TColor Color);

    // Clipping, in the current coordinates. ClipRect is the bounding box of the
    // drawable area (the whole device when nothing is clipped).
    TRect ClipRect() const;
    int IntersectClipRect(const TRect& R);
    int ExcludeClipRect(const TRect& R);
    int SelectClipRect(const TRect& R);
    void ResetClip();
    // Save and restore clip, origin, background and text colour; RestoreDC(-1)
    // restores the last saved state, a positive number that saved state.
    int SaveDC();
    bool RestoreDC(int Saved);

    // Origin of the coordinates: a point (X, Y) is drawn at device pixel
    // (X - Org.X, Y - Org.Y).
    TPoint WindowOrg() const;
    void SetWindowOrg(const TPoint& Org);
    // Right-to-left drawing: x becomes Width - x (glyphs stay upright).
    void SetMirrored(bool Mirrored, int Width);

    struct TState; // the Qt side, known to the canvas's own sources only

protected:
    // A canvas without a device may make one on demand (a bitmap's canvas).
    virtual void CreateHandle() {}
    // Opens and closes the painter keeping clip, origin and saved states, for
    // a canvas whose device comes and goes (a bitmap's pixels).
    void OpenDevice(QPaintDevice* Device);
    void CloseDevice();

private:
    std::unique_ptr<TState> FState;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TCopyMode FCopyMode = cmSrcCopy;
    TPoint FPenPos;
    int FBkMode = OPAQUE;
    TColor FBkColor = clWhite;
    TColor FTextColor = clWindowText;

    bool RequirePainter() const;
    void BackgroundFromBrush();
    friend struct TCanvasAccess;
};

// --- text in a rectangle ------------------------------------------------------

constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_TABSTOP = 0x80;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_INTERNAL = 0x1000;
constexpr unsigned DT_EDITCONTROL = 0x2000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_MODIFYSTRING = 0x10000;
constexpr unsigned DT_RTLREADING = 0x20000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;
constexpr unsigned DT_NOFULLWIDTHCHARBREAK = 0x80000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;
constexpr unsigned DT_PREFIXONLY = 0x200000;

// Draws Text in R with the canvas font, text colour and background mode and
// returns the height of the text (with DT_VCENTER or DT_BOTTOM: the distance
// from R.Top to the bottom of the text). With DT_CALCRECT nothing is drawn and
// R's right and bottom edge are set to fit the text. Unless DT_NOPREFIX, "&x"
// underlines x and "&&" is a literal "&".
int DrawText(TCanvas& Canvas, const std::string& Text, TRect& R, unsigned Flags);
// The same for wide (UTF-16) text.
int DrawTextW(TCanvas& Canvas, const std::u16string& Text, TRect& R, unsigned Flags);

// --- graphics -----------------------------------------------------------------

// Any picture that can be drawn on a canvas.
class TGraphic : public TPersistent {
public:
    std::string ClassName() const override { return "TGraphic"; }
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    // Drawn with the transparent colour (or the image's own alpha) left out.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Reads any image format the platform can decode; raises EInvalidGraphic.
    virtual void LoadFromFile(const std::string& FileName) = 0;
    // BMP, PNG, JPEG or ICO by the file's extension; raises EInvalidGraphic.
    virtual void SaveToFile(const std::string& FileName) const;
    // The same from bytes in memory (the encoded file contents).
    virtual void LoadFromBytes(const std::string& Bytes) = 0;
    virtual std::string SaveToBytes(const std::string& Format = "BMP") const;

    // Draws the picture stretched into R (the canvas's Draw and StretchDraw
    // come here). A graphic made above the platform draws through the canvas.
    virtual void Draw(TCanvas& Canvas, const TRect& R) const = 0;
    // The picture as an image, transparency applied (platform code only); by
    // default what Draw paints on a see-through image of the picture's size.
    virtual QImage ToImage() const;

    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    bool FTransparent = false;
};

class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

enum TPixelFormat {
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom
};
enum TTransparentMode { tmAuto, tmFixed };

// A bitmap in memory with its own canvas.
class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int Width, int Height);
    ~TBitmap() override;
    std::string ClassName() const override { return "TBitmap"; }
    void Assign(const TPersistent* Source) override;

    int Width() const override;
    int Height() const override;
    void SetWidth(int Value) { SetSize(Value, Height()); }
    void SetHeight(int Value) { SetSize(Width(), Value); }
    // New pixels are white; the old ones keep their place.
    void SetSize(int Width, int Height);
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat Value);

    // tmAuto takes the colour of the bottom-left pixel.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor Value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value) { FTransparentMode = Value; }

    // A canvas drawing on the bitmap's pixels; it stays open until the pixels
    // are needed elsewhere.
    TCanvas* Canvas();

    void LoadFromFile(const std::string& FileName) override;
    void LoadFromBytes(const std::string& Bytes) override;
    // A bitmap compiled into the program (resources.h); raises EResNotFound.
    void LoadFromResourceName(const std::string& Name);

    TColor Pixel(int X, int Y) const;
    void SetPixel(int X, int Y, TColor Color);

    // The pixels (platform code only); closes the canvas's painter first.
    const QImage& Image() const;
    QImage& Image();
    void SetImage(const QImage& Image);
    void Draw(TCanvas& Canvas, const TRect& R) const override;
    QImage ToImage() const override;

private:
    std::unique_ptr<QImage> FImage;
    std::unique_ptr<TCanvas> FCanvas;
    TPixelFormat FPixelFormat = pfDevice;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;

    void CloseCanvas() const;
    friend class TBitmapCanvas;
};
