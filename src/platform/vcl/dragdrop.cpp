#include "platform/vcl/dragdrop.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include "platform/rtl/files.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/dragdropqt.h"
#include "platform/vcl/gfx/qtconvert.h"
#include "platform/vcl/qthost.h"

namespace {

// Rich text as other programs name it.
constexpr const char* RichTextAliases[] = {"text/rtf", "application/rtf", "text/richtext"};

Qt::DropActions ToActions(int Effects) {
    Qt::DropActions a;
    if (Effects & DROPEFFECT_COPY) a |= Qt::CopyAction;
    if (Effects & DROPEFFECT_MOVE) a |= Qt::MoveAction;
    return a;
}

// The target's effect as an action the source allows. Files are never moved:
// the program they come from would delete them.
Qt::DropAction ActionFor(int Effect, Qt::DropActions Possible, bool HasFiles) {
    if (HasFiles && Effect == DROPEFFECT_MOVE) Effect = DROPEFFECT_COPY;
    const Qt::DropAction wanted = Effect == DROPEFFECT_COPY   ? Qt::CopyAction
                                  : Effect == DROPEFFECT_MOVE ? Qt::MoveAction
                                                              : Qt::IgnoreAction;
    if (wanted == Qt::IgnoreAction || (Possible & wanted)) return wanted;
    if (wanted == Qt::MoveAction && (Possible & Qt::CopyAction)) return Qt::CopyAction;
    return Qt::IgnoreAction;
}

// Sits on a control's widget and hands its drag events to the target.
class TDropFilter : public QObject {
public:
    TDropFilter(QWidget* Widget, TOleDropTarget* Target) : QObject(Widget), FTarget(Target) {}
    void SetTarget(TOleDropTarget* Target) { FTarget = Target; }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        switch (Event->type()) {
        case QEvent::DragEnter: {
            auto* e = static_cast<QDragEnterEvent*>(Event);
            Answer(e, FTarget->DragEnter(Read(e), PointOf(e), KeyStateOf(e)));
            // Moves arrive only after an accepted enter; a refused drag shows no effect.
            return true;
        }
        case QEvent::DragMove: {
            auto* e = static_cast<QDragMoveEvent*>(Event);
            Answer(e, FTarget->DragOver(PointOf(e), KeyStateOf(e)));
            return true;
        }
        case QEvent::DragLeave:
            FTarget->DragLeave();
            return true;
        case QEvent::Drop: {
            auto* e = static_cast<QDropEvent*>(Event);
            Answer(e, FTarget->Drop(Read(e), PointOf(e), KeyStateOf(e)));
            return true;
        }
        default:
            return QObject::eventFilter(Watched, Event);
        }
    }

private:
    TDropData Read(const QDropEvent* E) {
        TDropData data =
            E->mimeData() ? FromMimeData(*E->mimeData(), FTarget->CustomFormats()) : TDropData();
        FHasFiles = !data.Files.empty();
        return data;
    }
    static TPoint PointOf(const QDropEvent* E) { return FromQPoint(E->position().toPoint()); }
    static unsigned KeyStateOf(const QDropEvent* E) {
        return QtKeyFlags(E->buttons(), E->modifiers());
    }
    void Answer(QDropEvent* E, int Effect) {
        const Qt::DropAction action = ActionFor(Effect, E->possibleActions(), FHasFiles);
        if (action == Qt::IgnoreAction) {
            E->setDropAction(Qt::IgnoreAction);
            E->ignore();
            return;
        }
        E->setDropAction(action);
        E->accept();
    }

    TOleDropTarget* FTarget;
    bool FHasFiles = false;
};

TDropFilter* FilterOf(const TControl& Control) {
    // The filter has no meta-object of its own, so Qt's typed child search
    // cannot tell it from the widget's other children: look at each.
    for (QObject* child : Control.Widget()->children())
        if (auto* filter = dynamic_cast<TDropFilter*>(child)) return filter;
    return nullptr;
}

} // namespace

std::string DropTextFormat() {
    return MimeText;
}
std::string DropRichTextFormat() {
    return MimeRichText;
}
std::string DropFilesFormat() {
    return MimeFiles;
}

std::vector<std::string> DropFormats(const TDropData& Data) {
    std::vector<std::string> formats;
    if (Data.HasText) formats.emplace_back(MimeText);
    if (Data.HasRichText) formats.emplace_back(MimeRichText);
    for (const auto& [format, bytes] : Data.Custom)
        formats.push_back(format);
    if (!Data.Files.empty()) formats.emplace_back(MimeFiles);
    return formats;
}

std::unique_ptr<QMimeData> ToMimeData(const TDropData& Data) {
    auto mime = std::make_unique<QMimeData>();
    if (Data.HasText) mime->setText(ToQString(Data.Text));
    if (Data.HasRichText)
        mime->setData(MimeRichText, QByteArray(Data.RichText.data(),
                                               static_cast<qsizetype>(Data.RichText.size())));
    for (const auto& [format, bytes] : Data.Custom)
        mime->setData(QString::fromStdString(format),
                      QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!Data.Files.empty()) {
        QList<QUrl> urls;
        for (const std::string& f : Data.Files)
            urls.append(QUrl::fromLocalFile(QString::fromStdString(DiskName(f))));
        mime->setUrls(urls);
    }
    return mime;
}

TDropData FromMimeData(const QMimeData& Mime, const std::vector<std::string>& CustomFormats) {
    TDropData data;
    // Only real text: Qt would also give the locations of dropped files as text.
    if (Mime.hasFormat(MimeText)) {
        data.HasText = true;
        data.Text = FromQString(Mime.text());
    }
    for (const char* name : RichTextAliases)
        if (Mime.hasFormat(name)) {
            const QByteArray bytes = Mime.data(name);
            data.HasRichText = true;
            data.RichText.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
            // Rich text ends at its terminator, when a program sends one.
            if (const size_t end = data.RichText.find('\0'); end != std::string::npos)
                data.RichText.resize(end);
            break;
        }
    for (const std::string& format : CustomFormats) {
        const QString name = QString::fromStdString(format);
        if (!Mime.hasFormat(name)) continue;
        const QByteArray bytes = Mime.data(name);
        data.Custom[format].assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    if (Mime.hasUrls())
        for (const QUrl& url : Mime.urls())
            if (url.isLocalFile())
                data.Files.push_back(ProgramName(url.toLocalFile().toStdString()));
    return data;
}

void RegisterDragDrop(TControl& Control, TOleDropTarget* Target) {
    if (!Target) {
        RevokeDragDrop(Control);
        return;
    }
    QWidget* widget = Control.Widget();
    if (TDropFilter* existing = FilterOf(Control)) {
        existing->SetTarget(Target);
        return;
    }
    auto* filter = new TDropFilter(widget, Target); // owned by the widget
    widget->installEventFilter(filter);
    widget->setAcceptDrops(true);
}

void RevokeDragDrop(TControl& Control) {
    if (TDropFilter* filter = FilterOf(Control)) {
        Control.Widget()->removeEventFilter(filter);
        Control.Widget()->setAcceptDrops(false);
        delete filter; // a child of the widget: deleting it detaches it
    }
}

bool DragDropRegistered(const TControl& Control) {
    return FilterOf(Control) != nullptr;
}

TDragResult DoDragDrop(TControl& Source, const TDropData& Data, int AllowedEffects, int& Effect) {
    Effect = DROPEFFECT_NONE;
    const Qt::DropActions allowed = ToActions(AllowedEffects);
    if (!allowed || DropFormats(Data).empty()) return drCancelled;
    QPointer<QDrag> drag = new QDrag(Source.Widget()); // the widget owns it
    drag->setMimeData(ToMimeData(Data).release());     // the drag owns that
    const Qt::DropAction done =
        drag->exec(allowed, (allowed & Qt::MoveAction) ? Qt::MoveAction : Qt::CopyAction);
    if (drag) drag->deleteLater();
    switch (done) {
    case Qt::CopyAction:
        Effect = DROPEFFECT_COPY;
        return drDropped;
    case Qt::MoveAction:
    case Qt::TargetMoveAction:
        Effect = DROPEFFECT_MOVE;
        return drDropped;
    default:
        return drCancelled;
    }
}
