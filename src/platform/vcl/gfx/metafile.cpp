#include "platform/vcl/gfx/metafile.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

#include "platform/vcl/gfx/graphics.h"

namespace {

uint32_t Dword(const std::string& B, size_t At) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(static_cast<unsigned char>(B[At + i])) << (8 * i);
    return v;
}

unsigned Word(const std::string& B, size_t At) {
    return static_cast<unsigned char>(B[At]) | (static_cast<unsigned char>(B[At + 1]) << 8);
}

constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr uint32_t EmfHeaderRecord = 1;
constexpr uint32_t EmfSignature = 0x464D4520; // " EMF"
constexpr size_t EmfHeaderSize = 88;

// Ends the converter's session however the conversion ends.
struct TWmfSession {
    wmfAPI* API = nullptr;
    bool Open = false;
    ~TWmfSession() {
        if (Open) wmf_mem_close(API);
        if (API) wmf_api_destroy(API); // frees everything it allocated
    }
};

[[noreturn]] void Invalid() {
    throw EInvalidGraphic("Could not load image. Invalid format");
}

// A drawing of W x H pixels with nothing in it.
std::string EmptySvg(unsigned W, unsigned H) {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(W) +
           "\" height=\"" + std::to_string(H) + "\"/>";
}

std::string WmfToSvg(const std::string& Bytes) {
    TWmfSession s;
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&s.API, flags, &options) != wmf_E_None) Invalid();
    wmf_svg_t* device = WMF_SVG_GetData(s.API);
    device->out = wmf_stream_create(s.API, nullptr);
    std::string copy = Bytes; // the reader wants writable bytes
    if (wmf_mem_open(s.API, reinterpret_cast<unsigned char*>(copy.data()),
                     static_cast<long>(copy.size())) != wmf_E_None)
        Invalid();
    s.Open = true;
    wmfD_Rect box{};
    if (wmf_scan(s.API, 0, &box) != wmf_E_None) Invalid();
    unsigned width = 0, height = 0;
    if (wmf_display_size(s.API, &width, &height, 96, 96) != wmf_E_None) Invalid();
    device->bbox = box;
    device->width = width;
    device->height = height;
    static char description[] = "";
    device->Description = description;
    // A metafile without drawing records has no extent, and libwmf refuses
    // to play it; it is still a sound picture of its stated size that shows nothing.
    if (box.TL.x >= box.BR.x || box.TL.y >= box.BR.y) return EmptySvg(width, height);
    if (wmf_play(s.API, 0, &box) != wmf_E_None) Invalid();
    char* out = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(s.API, device->out, &out, &length);
    if (!out || length == 0) Invalid();
    return std::string(out, length);
}

std::string EmfToSvg(const std::string& Bytes) {
    generatorOptions options{};
    static char ns[] = "";
    options.nameSpace = ns;
    options.emfplus = true;
    options.svgDelimiter = true;
    std::string copy = Bytes;
    char* out = nullptr;
    size_t length = 0;
    const int ok = emf2svg(copy.data(), copy.size(), &out, &length, &options);
    const std::unique_ptr<char, decltype(&std::free)> owned(out, &std::free);
    if (!ok || !out || length == 0) Invalid();
    return std::string(out, length);
}

} // namespace

TMetafileKind MetafileKind(const std::string& Bytes) {
    if (Bytes.size() >= 22 && Dword(Bytes, 0) == PlaceableKey) return TMetafileKind::mkWMF;
    // A plain WMF header: type 1 or 2, nine words long, version 1 or 3.
    if (Bytes.size() >= 18 && (Word(Bytes, 0) == 1 || Word(Bytes, 0) == 2) && Word(Bytes, 2) == 9 &&
        (Word(Bytes, 4) == 0x100 || Word(Bytes, 4) == 0x300))
        return TMetafileKind::mkWMF;
    if (Bytes.size() >= EmfHeaderSize && Dword(Bytes, 0) == EmfHeaderRecord &&
        Dword(Bytes, 40) == EmfSignature)
        return TMetafileKind::mkEMF;
    return TMetafileKind::mkNone;
}

std::string MetafileToSvg(const std::string& Bytes) {
    switch (MetafileKind(Bytes)) {
    case TMetafileKind::mkWMF:
        return WmfToSvg(Bytes);
    case TMetafileKind::mkEMF:
        return EmfToSvg(Bytes);
    case TMetafileKind::mkNone:
        break;
    }
    Invalid();
}

void LoadMetafile(const std::string& Bytes, TBitmap& Bitmap) {
    const std::string svg = MetafileToSvg(Bytes);
    QSvgRenderer renderer(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    const QSize size = renderer.defaultSize();
    if (!renderer.isValid()) Invalid();
    if (size.isEmpty()) {
        Bitmap.SetSize(0, 0); // a drawing without extent: an empty picture
        return;
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    Bitmap.SetImage(image);
}
