#include "platform/vcl/urlopen.h"

#include <QDesktopServices>
#include <QUrl>

#include <cctype>

#include "platform/vcl/gfx/qtconvert.h"

namespace {

bool StartsWithNoCase(const std::string& Text, const std::string& Prefix) {
    if (Text.size() < Prefix.size()) return false;
    for (size_t i = 0; i < Prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(Text[i])) != Prefix[i]) return false;
    return true;
}

} // namespace

bool IsOpenableURL(const std::string& Url) {
    for (const char* scheme : {"http://", "https://", "mailto:"}) {
        const std::string prefix = scheme;
        if (StartsWithNoCase(Url, prefix) && Url.size() > prefix.size()) {
            // Control characters have no place in an address.
            for (char ch : Url)
                if (static_cast<unsigned char>(ch) < 32) return false;
            return true;
        }
    }
    return false;
}

bool OpenURL(const std::string& Url) {
    if (!IsOpenableURL(Url)) return false;
    const QUrl url(ToQString(Url), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != "http" && scheme != "https" && scheme != "mailto"))
        return false;
    return QDesktopServices::openUrl(url);
}
