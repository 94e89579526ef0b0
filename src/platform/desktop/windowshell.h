#pragma once
// What the desktop components ask of the window system about whole windows.

#include <functional>
#include <memory>
#include <string>

class TControl;
class TCustomForm;

// Lets the window manager move the control's window with the mouse, as a
// drag on its caption would; false where the window system does not offer it.
bool StartWindowMove(TControl* Control);
// Restores a minimised window, shows it, raises it and asks for the focus.
void BringWindowForward(TCustomForm* Form);
// True while the form's window is minimised by the window manager or the program.
bool WindowMinimized(TCustomForm* Form);

// Calls OnMinimized (on the window thread, after the event) each time the
// form's window is minimised; the watch ends when the handle goes.
class TMinimizeWatch {
public:
    virtual ~TMinimizeWatch() = default;
};
std::unique_ptr<TMinimizeWatch> WatchMinimize(TCustomForm* Form, std::function<void()> OnMinimized);

class TIcon;
// A large (32) and a small (16 pixel) icon from an image or icon file (Index:
// the image in a file of several) or, for a name without a folder, from the
// desktop's icon theme; false when neither gives an icon.
bool LoadIconPair(const std::string& Source, int Index, TIcon& Large, TIcon& Small);
