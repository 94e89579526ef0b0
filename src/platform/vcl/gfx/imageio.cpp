#include "platform/vcl/gfx/imageio.h"

#include <QBuffer>
#include <QImageReader>

#include "platform/rtl/files.h"
#include "platform/vcl/gfx/graphics.h"
#include "platform/vcl/gfx/qtconvert.h"

namespace {
QImage Decode(QImageReader& Reader, const std::string& What) {
    QImage Image = Reader.read();
    if (Image.isNull())
        throw EInvalidGraphic("Cannot read the picture " + What + ": " +
                              FromQString(Reader.errorString()));
    return Image;
}
} // namespace

QImage DecodeImageFile(const std::string& FileName) {
    QImageReader Reader(QString::fromUtf8(DiskName(FileName).c_str()));
    return Decode(Reader, FileName);
}

QImage DecodeImageBytes(const std::string& Bytes) {
    QByteArray Data(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
    QBuffer Buffer(&Data);
    Buffer.open(QIODevice::ReadOnly);
    QImageReader Reader(&Buffer);
    return Decode(Reader, "from memory");
}

QImage WithoutColor(const QImage& Image, TColor Key) {
    QImage Out = Image.convertToFormat(QImage::Format_ARGB32);
    const QRgb K = ToQColor(Key).rgb() & 0xFFFFFF;
    for (int Y = 0; Y < Out.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Out.scanLine(Y));
        for (int X = 0; X < Out.width(); ++X)
            if ((Line[X] & 0xFFFFFF) == K) Line[X] = 0;
    }
    return Out;
}
