#pragma once
// Controls that show lists of text: the memo, the combo box, the list box and
// the check list box. Their Items are string lists; a change of the list shows
// at once in the native widget.

#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/stringlist.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/scrollstyle.h"

class QComboBox;
class QListWidget;
class QPlainTextEdit;

// A string list that tells its control after every change, and (when asked)
// once before the first change of a batch, so the control can see what the
// list was.
class TControlItems : public TStringList {
public:
    explicit TControlItems(std::function<void()> OnChanged,
                           std::function<void()> OnChanging = nullptr)
        : FOnChanged(std::move(OnChanged)), FOnChanging(std::move(OnChanging)) {}

protected:
    void Changing() override;
    void Changed() override;

private:
    std::function<void()> FOnChanged, FOnChanging;
    bool FChangePending = false; // OnChanging told, OnChanged not yet
};

class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* AOwner);
    ~TMemo() override;
    std::string ClassName() const override { return "TMemo"; }
    // The lines of the text (CR LF between them in Text).
    TStrings* Lines() const { return FLines.get(); }
    bool ReadOnly() const;
    void SetReadOnly(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    void SetScrollBars(TScrollStyle Value);
    bool WantTabs = false;
    bool WantReturns = true;
    int SelStart() const;
    void SetSelStart(int Value);
    TNotifyEvent OnChange;

protected:
    std::string GetText() const override;
    void SetTextValue(const std::string& Value) override;
    void WMGetDlgCode(TMessage& Message) override;
    QPlainTextEdit* Editor() const;

private:
    std::unique_ptr<TStrings> FLines;
    bool FWordWrap = true;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* AOwner);
    ~TComboBox() override;
    std::string ClassName() const override { return "TComboBox"; }
    TStrings* Items() const { return FItems.get(); }
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    int ItemIndex() const;
    void SetItemIndex(int Value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value);
    bool DroppedDown() const;
    void SetDroppedDown(bool Value);
    // The width of the list when it drops down (at least the box's width).
    void SetDroppedWidth(int Value);
    int DroppedWidth() const { return FDroppedWidth; }
    // Sorted as Items sorts; a box with its own order of items overrides both.
    virtual bool Sorted() const { return FItems->Sorted(); }
    virtual void SetSorted(bool Value) { FItems->SetSorted(Value); }
    // The height of one item of the dropped-down list, in pixels; 0 gives the
    // font's height back to it.
    int ItemHeight() const;
    void SetItemHeight(int Value);
    void SetMaxLength(int Value);
    void SelectAll();
    // Selects Length characters of the edit field from Start (editable styles).
    void SetEditSelection(int Start, int Length);
    int EditSelStart() const;
    int EditSelLength() const;
    TNotifyEvent OnChange, OnSelect, OnDropDown, OnCloseUp;

protected:
    std::string GetText() const override;
    void SetTextValue(const std::string& Value) override;
    void WndProc(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message) override;
    void CNCommand(TMessage& Message) override;
    virtual void Change();
    virtual void Select();
    QComboBox* Combo() const;
    // Items changed: the widget is filled from them again.
    virtual void ItemsChanged();

private:
    std::unique_ptr<TControlItems> FItems;
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    int FItemHeight = 0;
    int FDroppedWidth = 0;
    bool FSyncing = false; // the widget is being filled from Items
};

class TCustomListBox : public TWinControl {
public:
    ~TCustomListBox() override;
    std::string ClassName() const override { return "TCustomListBox"; }
    TStrings* Items() const { return FItems.get(); }
    int ItemIndex() const;
    void SetItemIndex(int Value);
    int Count() const { return FItems->Count(); }
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool Selected(int Index) const;
    void SetSelected(int Index, bool Value);
    int SelCount() const;
    void ClearSelection();
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool Value) { FItems->SetSorted(Value); }
    int TopIndex() const;
    void SetTopIndex(int Value);
    int ItemHeight() const;
    void SetItemHeight(int Value);
    // The item at a client point, or -1.
    int ItemAtPos(const TPoint& Pos, bool Existing) const;

protected:
    TCustomListBox(TComponent* AOwner);
    void WMGetDlgCode(TMessage& Message) override;
    virtual void ItemsChanged();
    // Before the items change (once for a batch of changes).
    virtual void ItemsChanging() {}
    virtual void UserSelected(); // the user moved the selection
    QListWidget* List() const;
    bool Syncing() const { return FSyncing; }

private:
    std::unique_ptr<TControlItems> FItems;
    bool FMultiSelect = false;
    bool FSyncing = false;
    int FItemHeight = 0;
};

class TListBox : public TCustomListBox {
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
    std::string ClassName() const override { return "TListBox"; }
};

class TCheckListBox : public TCustomListBox {
public:
    explicit TCheckListBox(TComponent* AOwner);
    std::string ClassName() const override { return "TCheckListBox"; }
    bool Checked(int Index) const;
    void SetChecked(int Index, bool Value);
    bool ItemEnabled(int Index) const;
    void SetItemEnabled(int Index, bool Value);
    // Fires when the user changes a check mark.
    TNotifyEvent OnClickCheck;

protected:
    void ItemsChanged() override;
    void ItemsChanging() override;
    virtual void ClickCheck();

private:
    // What the items were before a change, to find each item's marks again.
    struct TOldItem {
        std::string Text;
        TObject* Object;
        bool Checked, Enabled;
    };
    void FollowItems();
    std::vector<bool> FChecked, FEnabled; // by item, following the items through changes
    std::vector<TOldItem> FOldItems;
    bool FHaveOldItems = false;
};
