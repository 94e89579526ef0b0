#pragma once
// Wide (UTF-16) text of native controls. Qt's edits and combo boxes hold any
// character; the layer's single-byte Text shows the ones outside Windows-1252
// as '?'. These reach the full text, for the Unicode editors.

#include <string>

class TControl;
class TComboBox;

// The text of an edit, a combo box's edit field (or chosen item) or a button;
// other controls give their single-byte text converted.
std::u16string ControlWideText(const TControl& Control);
// Sets it without a round trip through the code page (other controls get the
// converted single-byte text). The control hears of the change as from any
// text change of its native widget.
void SetControlWideText(TControl& Control, const std::u16string& Text);

// The items of a combo box as its widget shows them.
int ComboItemCount(const TComboBox& Combo);
std::u16string ComboItemWideText(const TComboBox& Combo, int Index);
// Replaces what the widget shows for an item (the control's single-byte item
// list is not touched).
void SetComboItemWideText(TComboBox& Combo, int Index, const std::u16string& Text);
