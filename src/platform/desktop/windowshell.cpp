#include "windowshell.h"

#include <QEvent>
#include <QIcon>
#include <QImageReader>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/gfx/pictures.h"
#include "platform/vcl/qtapp.h"

bool StartWindowMove(TControl* Control) {
    if (!Control || !Control->Widget()) return false;
    QWidget* Top = Control->Widget()->window();
    QWindow* Handle = Top ? Top->windowHandle() : nullptr;
    return Handle && Handle->startSystemMove();
}

void BringWindowForward(TCustomForm* Form) {
    if (!Form) return;
    QWidget* W = Form->Widget();
    if (W->isMinimized()) Form->SetWindowState(wsNormal);
    Form->Show();
    W->raise();
    W->activateWindow();
}

bool WindowMinimized(TCustomForm* Form) {
    return Form && Form->Widget()->isMinimized();
}

namespace {

class TMinimizeFilter : public QObject, public TMinimizeWatch {
public:
    TMinimizeFilter(QWidget* Widget, std::function<void()> OnMinimized)
        : FWidget(Widget), FOnMinimized(std::move(OnMinimized)) {
        Widget->installEventFilter(this);
    }
    ~TMinimizeFilter() override {
        if (FWidget) FWidget->removeEventFilter(this);
    }
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::WindowStateChange && FWidget && FWidget->isMinimized()) {
            // Reported once the state change is through, never from inside it.
            QTimer::singleShot(0, this, [this] {
                if (FOnMinimized) FOnMinimized();
            });
        }
        return QObject::eventFilter(Watched, Event);
    }

private:
    QPointer<QWidget> FWidget;
    std::function<void()> FOnMinimized;
};

} // namespace

std::unique_ptr<TMinimizeWatch> WatchMinimize(TCustomForm* Form,
                                              std::function<void()> OnMinimized) {
    if (!Form || !Form->Widget()) return nullptr;
    return std::make_unique<TMinimizeFilter>(Form->Widget(), std::move(OnMinimized));
}

bool LoadIconPair(const std::string& Source, int Index, TIcon& Large, TIcon& Small) {
    EnsureQtApplication();
    const QString Name = QString::fromUtf8(Cp1252ToUtf8(Source));
    QImage Image;
    if (Source.find('/') != std::string::npos) {
        QImageReader Reader(Name);
        if (Index > 0) Reader.jumpToImage(Index);
        Image = Reader.read();
    }
    if (Image.isNull()) {
        const QIcon Themed = QIcon::fromTheme(Name);
        if (Themed.isNull()) return false;
        Image = Themed.pixmap(32, 32).toImage();
    }
    if (Image.isNull()) return false;
    Large.SetImage(Image.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    Small.SetImage(Image.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return true;
}
