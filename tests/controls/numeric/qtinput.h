#pragma once
// Real input for the controls' tests, without Qt in the tests themselves:
// mouse and key events go to a control's widget as the window system would
// send them, and the message loop is run until something holds.

#include <functional>
#include <string>

#include "platform/vcl/controls.h"

void MousePress(TControl* Control, int X, int Y);
void MouseRelease(TControl* Control, int X, int Y);
// A key press and release; Char is what the key types ('\0' for none).
void KeyStroke(TControl* Control, WORD VirtualKey, char Char = '\0');
void TypeText(TControl* Control, const std::string& Text);
// Handles messages until Done() holds; false after a generous bound of rounds.
bool PumpUntil(const std::function<bool()>& Done);
// Handles what is waiting now.
void PumpPending();
// Saves a picture of the control (with its children) as a PNG file.
bool SaveControlPicture(TControl* Control, const std::string& FileName);
// Where pictures made by tests go: $VZ_ARTIFACTS, else the build's artifacts folder.
std::string ArtifactsDir();
