#include "platform/vcl/qtapp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

QApplication* gOwnApplication = nullptr; // made here (not by a test harness)
int gArgc = 1;
char gArg0[] = "vivazozodi";
char* gArgv[] = {gArg0, nullptr};

} // namespace

namespace {

// The platform's own dialogs and texts (file dialogs, standard buttons, context
// menus) speak the program's language; installed once per application object,
// which owns the translators.
void InstallDutchTranslations(QApplication& App) {
    if (App.property("vzDutch").toBool()) return;
    App.setProperty("vzDutch", true);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_nl", "qt_nl"}) {
        auto* translator = new QTranslator(&App);
        if (translator->load(QString::fromLatin1(name), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

} // namespace

QApplication& EnsureQtApplication() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app) app = gOwnApplication = new QApplication(gArgc, gArgv); // see ShutdownQtApplication
    InstallDutchTranslations(*app);
    return *app;
}

void ShutdownQtApplication() {
    delete gOwnApplication;
    gOwnApplication = nullptr;
}
