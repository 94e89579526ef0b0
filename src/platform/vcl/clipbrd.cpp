#include "platform/vcl/clipbrd.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <vector>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/gfx/qtconvert.h"
#include "platform/vcl/qtapp.h"

namespace {

std::vector<std::string>& FormatNames() {
    static std::vector<std::string> names;
    return names;
}

constexpr unsigned FirstRegistered = 0xC000;

// The MIME type that carries a format outside the program.
QString MimeType(unsigned Format) {
    if (Format == CF_TEXT || Format == CF_UNICODETEXT) return "text/plain";
    const std::string name = ClipboardFormatName(Format);
    if (SameText(name, "Rich Text Format")) return "text/rtf";
    std::string type;
    for (char c : name)
        type +=
            std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(std::tolower(c)) : '-';
    return QString::fromStdString("application/x-vivazozodi-" + type);
}

QClipboard* SystemClipboard() {
    EnsureQtApplication();
    return QApplication::clipboard();
}

} // namespace

unsigned RegisterClipboardFormat(const std::string& Name) {
    auto& names = FormatNames();
    for (size_t i = 0; i < names.size(); ++i)
        if (SameText(names[i], Name)) return FirstRegistered + static_cast<unsigned>(i);
    names.push_back(Name);
    return FirstRegistered + static_cast<unsigned>(names.size() - 1);
}

std::string ClipboardFormatName(unsigned Format) {
    const auto& names = FormatNames();
    if (Format >= FirstRegistered && Format - FirstRegistered < names.size())
        return names[Format - FirstRegistered];
    return {};
}

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}

void TClipboard::Open() {
    if (FOpenCount++ == 0) {
        FEmptied = false;
        FPending.clear();
    }
}

void TClipboard::Close() {
    if (FOpenCount == 0 || --FOpenCount > 0) return;
    if (!FEmptied) return; // nothing was set or cleared
    auto data = std::make_unique<QMimeData>();
    for (const auto& [format, bytes] : FPending) {
        // CF_UNICODETEXT comes after CF_TEXT in the map and so wins.
        if (format == CF_TEXT)
            data->setText(ToQString(bytes));
        else if (format == CF_UNICODETEXT)
            data->setText(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())));
        else
            data->setData(MimeType(format),
                          QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    SystemClipboard()->setMimeData(data.release()); // the clipboard owns it
    FPending.clear();
}

void TClipboard::Adding() {
    if (!FEmptied) {
        FEmptied = true;
        FPending.clear();
    }
}

void TClipboard::Clear() {
    Open();
    Adding();
    FPending.clear();
    Close();
}

void TClipboard::SetBuffer(unsigned Format, const std::string& Data) {
    Open();
    Adding();
    FPending[Format] = Data;
    Close();
}

std::string TClipboard::GetBuffer(unsigned Format) const {
    if (FOpenCount > 0 && FEmptied) {
        const auto it = FPending.find(Format);
        return it == FPending.end() ? std::string() : it->second;
    }
    const QMimeData* data = SystemClipboard()->mimeData();
    if (!data) return {};
    if (Format == CF_TEXT || Format == CF_UNICODETEXT)
        return data->hasText() ? FromQString(data->text()) : std::string();
    const QByteArray bytes = data->data(MimeType(Format));
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

std::string TClipboard::AsText() const {
    return GetBuffer(CF_TEXT);
}

void TClipboard::SetAsText(const std::string& Value) {
    SetBuffer(CF_TEXT, Value);
}

std::u16string TClipboard::AsWideText() const {
    if (FOpenCount > 0 && FEmptied) {
        const auto wide = FPending.find(CF_UNICODETEXT);
        if (wide != FPending.end()) {
            const QString text =
                QString::fromUtf8(wide->second.data(), static_cast<qsizetype>(wide->second.size()));
            return text.toStdU16String();
        }
        return Cp1252ToUtf16(GetBuffer(CF_TEXT));
    }
    const QMimeData* data = SystemClipboard()->mimeData();
    return data && data->hasText() ? data->text().toStdU16String() : std::u16string();
}

void TClipboard::SetAsWideText(const std::u16string& Value) {
    SetBuffer(CF_UNICODETEXT, QString::fromStdU16String(Value).toUtf8().toStdString());
}

bool TClipboard::HasFormat(unsigned Format) const {
    if (FOpenCount > 0 && FEmptied) return FPending.count(Format) > 0;
    const QMimeData* data = SystemClipboard()->mimeData();
    if (!data) return false;
    if (Format == CF_TEXT || Format == CF_UNICODETEXT) return data->hasText();
    return data->hasFormat(MimeType(Format));
}
