#pragma once
// Synthetic input, as the window system would deliver it: mouse and key events
// sent to a control's window through the same road as real ones, and running
// the message loop until something holds. Used by tests and by code that plays
// input back; nothing above the platform needs Qt for it.

#include <functional>
#include <string>

#include "platform/vcl/controls.h"

void MousePress(TControl* Control, int X, int Y);
void MouseRelease(TControl* Control, int X, int Y);
void MouseMoveTo(TControl* Control, int X, int Y, bool LeftDown);
// A left press at (X, Y), a move there with the button held, the release at (ToX, ToY).
void MouseDrag(TControl* Control, int X, int Y, int ToX, int ToY);
// A left double click as the window system delivers it: press, release, the
// double-click press, release.
void MouseDoubleClick(TControl* Control, int X, int Y);
// A key press and release; Char is what the key types ('\0' for none). As
// the window system's keys do, it meets the shortcuts (Qt's mnemonics among
// them) before the control: Alt+'k' is KeyStroke(C, 'K', 'k', {ssAlt}).
// While a popup menu is open, the key goes to the menu instead.
void KeyStroke(TControl* Control, WORD VirtualKey, char Char = '\0', TShiftState Shift = {});
// A key to whatever has the keyboard focus, also a window of the platform's
// own (a question box); Keypad marks a key of the number block (Enter there).
// False when no window of the program takes keys.
bool KeyStrokeToFocus(WORD VirtualKey, TShiftState Shift = {}, bool Keypad = false);
void TypeText(TControl* Control, const std::string& Text);
// The close button of the window's title bar, as the window manager reports
// a click on it; true when the window is gone from the screen after.
bool TitleBarClose(TControl* Control);
// Handles messages until Done() holds; false after a generous bound of time.
bool PumpUntil(const std::function<bool()>& Done);
// Handles what is waiting now.
void PumpPending();
// Saves a picture of the control (with its children) as a PNG file.
bool SaveControlPicture(TControl* Control, const std::string& FileName);
