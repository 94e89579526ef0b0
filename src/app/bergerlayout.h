#pragma once
// The parts the Berger window and the new-group window lay out alike.

#include <string>

#include "platform/vcl/controls.h"

class TGroupBox;
class TBitBtn;
class TVcNumSpin;
class TCheckListBox;
class TVcSpinButton;
class TEdit;
class TPanel;

// A control owned by Owner, shown on Parent at the given bounds.
template <class T>
T* PlaceControl(TComponent* Owner, TWinControl* Parent, int Left, int Top, int Width, int Height) {
    auto* c = new T(Owner); // owned by Owner
    c->SetParent(Parent);
    c->SetBounds(Left, Top, Width, Height);
    return c;
}

TGroupBox* PlaceGroupBox(TComponent* Owner, TWinControl* Parent, const std::string& Caption,
                         int Left, int Top, int Width, int Height);
TBitBtn* PlaceButton(TComponent* Owner, TWinControl* Parent, const std::string& Caption, int Left,
                     int Top, int Width);
// A borderless panel along the right edge of Parent.
TPanel* PlaceSidePanel(TComponent* Owner, TWinControl* Parent, int Width);
// The box "Draai ronden": the rotation's spin button and its read-only display.
// It is taller than the other boxes: the spin button stands 43 pixels high.
constexpr int DraaiBoxHeight = 64;
TGroupBox* PlaceDraaiBox(TComponent* Owner, TWinControl* Parent, int Left, int Top, int Width,
                         TVcSpinButton*& Spin, TEdit*& DraaiEdit);
// The player count: 4 to the most a group may have in steps of 2, only through
// its arrows.
void SetupAantalSpin(TVcNumSpin* Spin);
// "Dubbelrondig", "Bordkleur", "Wissel rx ry".
void AddBergerOpties(TCheckListBox* List);
