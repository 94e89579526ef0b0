#pragma once
// Internal to the visual layer: the one Qt application object, made on first
// need so that tests and the program alike get it before any widget.

class QApplication;

QApplication& EnsureQtApplication();
// Deletes the Qt application made here; only for a program's main that ends
// after every window is gone (never from a static destructor).
void ShutdownQtApplication();
