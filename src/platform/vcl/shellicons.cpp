#include "platform/vcl/shellicons.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QMimeDatabase>
#include <QPainter>

#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/gfx/graphics.h"

namespace {

// The standard icons by number, as theme names.
struct TStandardIcon {
    int Index;
    const char* Name;
};
constexpr TStandardIcon StandardIcons[] = {
    {1, "text-x-generic"},
    {2, "application-x-executable"},
    {3, "folder"},
    {4, "folder-open"},
    {5, "media-floppy"},
    {6, "media-floppy"},
    {7, "drive-removable-media"},
    {8, "drive-harddisk"},
    {9, "folder-remote"},
    {10, "folder-remote"},
    {11, "media-optical"},
    {12, "drive-harddisk"},
    {13, "network-workgroup"},
    {15, "computer"},
    {16, "printer"},
};
constexpr char GenericFile[] = "text-x-generic";
constexpr char UnknownFile[] = "application-x-generic";
constexpr char Folder[] = "folder";

// A desktop that names no icon theme (a headless session) gets the common
// default theme, when it is installed, rather than none at all; the places of
// icon themes are the desktop's data folders.
void EnsureIconTheme() {
    static bool done = false;
    if (done) return;
    done = true;
    QStringList paths = QIcon::themeSearchPaths();
    const QByteArray home = qgetenv("HOME");
    const QByteArray dataDirs = qgetenv("XDG_DATA_DIRS");
    QStringList places;
    if (!home.isEmpty()) places << QString::fromLocal8Bit(home) + "/.local/share/icons";
    for (const QString& dir :
         QString::fromLocal8Bit(dataDirs.isEmpty() ? QByteArray("/usr/local/share:/usr/share")
                                                   : dataDirs)
             .split(':', Qt::SkipEmptyParts))
        places << dir + "/icons";
    for (const QString& place : places)
        if (!paths.contains(place) && QFileInfo(place).isDir()) paths << place;
    QIcon::setThemeSearchPaths(paths);
    if (!QIcon::themeName().isEmpty() && QIcon::themeName() != "hicolor") return;
    for (const QString& path : paths)
        if (QFileInfo::exists(path + "/Adwaita/index.theme")) {
            QIcon::setThemeName("Adwaita");
            return;
        }
}

// Theme names to try for the source, best first.
QStringList IconNamesFor(const std::string& Source) {
    int index = 0;
    if (TryStrToInt(Trim(Source), index)) {
        for (const TStandardIcon& s : StandardIcons)
            if (s.Index == index) return {s.Name};
        return {UnknownFile, GenericFile};
    }
    const QString path = QString::fromStdString(DiskName(Source));
    const QFileInfo info(path);
    if (!Source.empty() && info.exists() && info.isDir()) return {Folder};
    const QMimeDatabase db;
    const QMimeType mime = info.exists() && info.isFile()
                               ? db.mimeTypeForFile(info)
                               : db.mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    QStringList names;
    if (mime.isValid() && !mime.isDefault()) names << mime.iconName() << mime.genericIconName();
    if (info.exists() && info.isExecutable()) names << "application-x-executable";
    names << GenericFile;
    return names;
}

// The generic looks when the theme has none: a page with a folded corner, or a folder.
QImage DrawnIcon(bool IsFolder, int Size) {
    QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const qreal u = Size / 16.0;
    p.scale(u, u);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.0 / u));
    if (IsFolder) {
        p.setBrush(QColor(0xE8, 0xB8, 0x40));
        p.drawPolygon(QPolygonF({{1, 3}, {6, 3}, {7, 4.5}, {15, 4.5}, {15, 13.5}, {1, 13.5}}));
    } else {
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}));
        p.drawPolyline(QPolygonF({{10, 1}, {10, 4}, {13, 4}}));
    }
    return image;
}

} // namespace

int ShellIconSize(bool Large) {
    return Large ? 32 : 16;
}

void LoadShellIcon(TBitmap& Bitmap, const std::string& Source, bool Large) {
    const int size = ShellIconSize(Large);
    const QStringList names = IconNamesFor(Source);
    QImage image;
    // Icons of the theme need the windowing system's application.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        EnsureIconTheme();
        for (const QString& name : names) {
            const QIcon icon = QIcon::fromTheme(name);
            if (icon.isNull()) continue;
            image = icon.pixmap(size, size).toImage();
            if (!image.isNull()) break;
        }
    }
    if (image.isNull()) image = DrawnIcon(names.front().startsWith("folder"), size);
    if (image.width() != size || image.height() != size)
        image = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (!image.hasAlphaChannel())
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.width() != size || image.height() != size) {
        // Centred on a transparent square when the theme's icon is not square.
        QImage square(size, size, QImage::Format_ARGB32_Premultiplied);
        square.fill(Qt::transparent);
        QPainter(&square).drawImage((size - image.width()) / 2, (size - image.height()) / 2, image);
        image = square;
    }
    Bitmap.SetImage(image);
}
