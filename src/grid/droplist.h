#pragma once
// The column grid's filter drop-down list: a list box that reports the chosen
// line on Enter or on mouse release and hides itself (Escape hides it too).
// Reached through these functions, so that the column grid's header does not
// pull in the list control's.

#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/types.h"
#include "platform/vcl/controls.h"

class TDropList;

// Made hidden, owned by Owner as a component.
TDropList* CreateDropList(TComponent* Owner, std::function<void(int Index)> OnSelect);
// Shows the lines in Bounds (parent coordinates) with the first one chosen.
void ShowDropList(TDropList* List, TWinControl* Parent, const TRect& Bounds, TColor Color,
                  const TFont* Font, const std::vector<std::string>& Lines);
void HideDropList(TDropList* List);
bool DropListVisible(const TDropList* List);
std::vector<std::string> DropListLines(const TDropList* List);
// As if the user chose line Index (on Enter or mouse release).
void ChooseDropListLine(TDropList* List, int Index);
