#include "platform/vcl/qtapp.h"

#include <QApplication>

namespace {

QApplication* gOwnApplication = nullptr; // made here (not by a test harness)
int gArgc = 1;
char gArg0[] = "vivazozodi";
char* gArgv[] = {gArg0, nullptr};

} // namespace

QApplication& EnsureQtApplication() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
    gOwnApplication = new QApplication(gArgc, gArgv); // deleted by ShutdownQtApplication
    return *gOwnApplication;
}

void ShutdownQtApplication() {
    delete gOwnApplication;
    gOwnApplication = nullptr;
}
