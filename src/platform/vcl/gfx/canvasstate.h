#pragma once
// The canvas's Qt state, shared by the canvas's source files only.

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <QTransform>
#include <memory>
#include <optional>
#include <vector>

#include "platform/vcl/gfx/graphics.h"
#include "platform/vcl/gfx/qtfonts.h"

struct TCanvas::TState {
    QPaintDevice* Device = nullptr;
    std::unique_ptr<QPainter> Painter;
    // Clip region in device pixels; none means the whole device.
    std::optional<QRegion> Clip;
    // The part of the device a paint event repaints; none means all of it.
    std::optional<QRegion> UpdateRegion;
    QPoint Org;
    bool Mirrored = false;
    int MirrorWidth = 0;

    struct TSaved {
        std::optional<QRegion> Clip;
        QPoint Org;
        bool Mirrored;
        int MirrorWidth;
        int BkMode;
        TColor BkColor;
        TColor TextColor;
    };
    std::vector<TSaved> Stack;

    // The Qt fonts are made once and kept while the canvas switches between
    // them; a font change that leaves the Qt font as it is (a colour, an angle)
    // keeps the current one.
    TQtFontCache QtFonts;
    const TQtFont* QtFont = nullptr;
};

// The helpers of the canvas's source files.
struct TCanvasAccess {
    static TCanvas::TState& State(const TCanvas& C) { return *C.FState; }
    static bool RequirePainter(const TCanvas& C) { return C.RequirePainter(); }
    static const TQtFont& QtFont(const TCanvas& C);
    static const QFont& Font(const TCanvas& C) { return QtFont(C).Font(); }
    static const QFontMetrics& Metrics(const TCanvas& C) { return QtFont(C).Metrics(); }
    // Logical coordinates -> device pixels.
    static QTransform Transform(const TCanvas& C);
    static QRect ToDevice(const TCanvas& C, const TRect& R);
    // Puts the clip region on the painter.
    static void ApplyClip(const TCanvas& C);
    // Sets pen, brush and raster operation for a shape; false when the pen
    // mode draws nothing.
    static bool PrepareShape(const TCanvas& C, bool WithPen, bool WithBrush);
    // Plain copying with the brush (fills ignore the pen mode).
    static void PrepareFill(const TCanvas& C);
    // One line of text with its top-left corner at (X, Y), in the canvas's
    // font, text colour and background mode; Underline is the index of a
    // character to underline (the prefix rule) or -1; Width is the text's
    // width when the caller knows it, else -1.
    static void PaintText(const TCanvas& C, int X, int Y, const QString& Text, int Underline,
                          int Width = -1);
    // An image drawn over what is there (its alpha counts), scaled into R.
    static void DrawImage(TCanvas& C, const TRect& R, const QImage& Image);
    static int BkMode(const TCanvas& C) { return C.FBkMode; }
    static TColor BkColor(const TCanvas& C) { return C.FBkColor; }
    static TColor TextColor(const TCanvas& C) { return C.FTextColor; }
};
