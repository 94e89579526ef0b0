#pragma once
// Edits with a small button at their right edge (the grid's edit-button
// editors), and the variant whose button chooses a unit shown after the text.

#include <memory>
#include <string>

#include "grid/support/themedbutton.h"
#include "platform/rtl/stringlist.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/menus.h"

// The button of the edit: drawn in the desktop's style when themed.
class TExtSpeedButton : public TThemedSpeedButton {
public:
    explicit TExtSpeedButton(TComponent* AOwner) : TThemedSpeedButton(AOwner) {}
    std::string ClassName() const override { return "TExtSpeedButton"; }

protected:
    void Paint() override;
};

// A control holding one speed button that always fills it (never narrower than 15).
class TXsgEditButton : public TWinControl {
public:
    explicit TXsgEditButton(TComponent* AOwner);
    std::string ClassName() const override { return "TXsgEditButton"; }
    TExtSpeedButton* Button() const { return FButton; }
    void SetButtonCaption(const std::string& Value) { FButton->SetCaption(Value); }
    std::string ButtonCaption() const { return FButton->Caption(); }
    const TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const TBitmap* Value) { FButton->SetGlyph(Value); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
    bool Flat() const { return FButton->Flat(); }
    void SetFlat(bool Value) { FButton->SetFlat(Value); }
    TWinControl* FocusControl = nullptr;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

private:
    TExtSpeedButton* FButton = nullptr; // owned as a component
};

class TXsgEditBtn : public TCustomEdit {
public:
    explicit TXsgEditBtn(TComponent* AOwner);
    std::string ClassName() const override { return "TXsgEditBtn"; }

    // Fires OnClickBtn; the button and F4 come here.
    virtual void ClickButton();
    TNotifyEvent OnClickBtn;
    bool EditorEnabled = true;
    // The text stands at the right edge, before the button.
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool Value);
    // Themed: the button is drawn in the desktop's style; the grid sets it.
    bool IsWinXP() const { return FButton->Button()->IsWinXP; }
    void SetIsWinXP(bool Value);
    int ButtonWidth() const { return FButton->Width(); }
    void SetButtonWidth(int Value);
    // The button's picture and caption.
    const TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const TBitmap* Value) { FButton->SetGlyph(Value); }
    std::string ButtonCaption() const { return FButton->ButtonCaption(); }
    void SetButtonCaption(const std::string& Value) { FButton->SetButtonCaption(Value); }
    TXsgEditButton* Button() const { return FButton; }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    // Room kept free right of the text besides the button's.
    virtual int ExtraRightSpace() const { return 0; }
    void PlaceButton();

private:
    bool FRightAlign = false;
    TXsgEditButton* FButton = nullptr; // owned as a component
};

// Draws a unit's name without prefix characters, right of an edit's text.
class TUnitLabel : public TCustomControl {
public:
    explicit TUnitLabel(TComponent* AOwner);
    std::string ClassName() const override { return "TUnitLabel"; }

protected:
    void Paint() override;
};

class TXsgUnitEditBtn : public TXsgEditBtn {
public:
    explicit TXsgUnitEditBtn(TComponent* AOwner);
    ~TXsgUnitEditBtn() override;
    std::string ClassName() const override { return "TXsgUnitEditBtn"; }

    TStringList* Units() const { return FUnits.get(); }
    void SetUnits(const TStrings* Value) { FUnits->Assign(Value); }
    const std::string& UnitID() const { return FUnitID; }
    void SetUnitID(const std::string& Value);
    int UnitSpace() const { return FUnitSpace; }
    void SetUnitSpace(int Value);
    // A menu with one item per unit below the edit's right end; choosing one
    // makes it the unit.
    void ClickButton() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TPopupMenu* UnitMenu() const { return FMenu.get(); }
    TUnitLabel* UnitLabel() const { return FLabel; }

protected:
    int ExtraRightSpace() const override { return FUnitSpace; }

private:
    void PlaceLabel();
    std::unique_ptr<TStringList> FUnits;
    std::unique_ptr<TPopupMenu> FMenu;
    TUnitLabel* FLabel = nullptr; // owned as a component
    std::string FUnitID;
    int FUnitSpace = 20;
};
