#pragma once
// Common controls: pages with tabs, the status bar, the tree view and the date
// picker.

#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/dateutils.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/stdctrls.h"

class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;
class QDateTimeEdit;
class QCheckBox;
class TPageControl;

// --- pages -----------------------------------------------------------------------

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    std::string ClassName() const override { return "TTabSheet"; }
    TPageControl* PageControl() const { return FPageControl; }
    // Puts the sheet on a page control (its parent too).
    void SetPageControl(TPageControl* Value);
    int PageIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    TNotifyEvent OnShow, OnHide;

protected:
    void SetTextValue(const std::string& Value) override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// Tabs on top and one visible sheet below them.
class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    std::string ClassName() const override { return "TPageControl"; }
    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int Index) const { return FPages.at(static_cast<size_t>(Index)); }
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* Page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int Value);
    TTabStyle TabStyle() const { return FTabStyle; }
    void SetTabStyle(TTabStyle Value);
    // Fired when the user picks another tab (OnChanging may refuse it).
    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    // The next (or previous) visible page, round the end, as the user picks it
    // from the keyboard (Ctrl+Tab, Ctrl+PgDn); the focus goes to the new page.
    void SelectNextPage(bool GoForward);

protected:
    void AdjustClientRect(TRect& R) const override;
    void WMSize(TMessage& Message) override;
    // Alt+letter of a tab's caption shows its page.
    void CMDialogChar(TMessage& Message) override;
    // Focused, the tab row takes Left/Right (and Home/End) to pick the page
    // beside (or at the end), as a click on that tab would.
    void WMGetDlgCode(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    // The active tab shows the dotted focus frame while the row is focused.
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void UpdateTabs();
    std::vector<TTabSheet*> VisiblePages() const;
    void TabClicked(int TabIndex);
    // A tab picked from the keyboard: its page, with the focus on it.
    void KeyboardTab(int TabIndex);
    void PaintTabFocus(QTabBar* Bar);
    QTabBar* FTabBar = nullptr; // an inner part of our widget
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    TTabStyle FTabStyle = tsTabs;
    bool FSyncing = false;
};

// --- status bar ---------------------------------------------------------------------

class TStatusPanel {
public:
    std::string Text;
    int Width = 50;
    TAlignment Alignment = taLeftJustify;
};

class TStatusBar : public TCustomControl {
public:
    explicit TStatusBar(TComponent* AOwner);
    std::string ClassName() const override { return "TStatusBar"; }
    int PanelCount() const { return static_cast<int>(FPanels.size()); }
    TStatusPanel* Panels(int Index) const { return FPanels.at(static_cast<size_t>(Index)).get(); }
    TStatusPanel* AddPanel();
    void ClearPanels();
    // Changes a panel's text and shows it.
    void SetPanelText(int Index, const std::string& Text);
    // Where a panel lies in the bar: each as wide as its Width, 2 pixels
    // apart, the last one up to the bar's end.
    TRect PanelRect(int Index) const;
    // What a panel takes beside its text (frame and margins).
    static constexpr int PanelTextMargin = 6;
    bool SimplePanel = false;
    std::string SimpleText() const { return FSimpleText; }
    void SetSimpleText(const std::string& Value);

protected:
    void Paint() override;

private:
    std::vector<std::unique_ptr<TStatusPanel>> FPanels;
    std::string FSimpleText;
};

// --- tree view -----------------------------------------------------------------------

class TTreeView;
class TTreeNodes;

class TTreeNode {
public:
    std::string Text() const { return FText; }
    void SetText(const std::string& Value);
    void* Data = nullptr;
    TTreeNode* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* Item(int Index) const { return FChildren.at(static_cast<size_t>(Index)).get(); }
    bool HasChildren() const { return !FChildren.empty(); }
    int Index() const;
    int Level() const;
    TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : Item(0); }
    TTreeNode* GetNextSibling() const;
    bool Expanded() const;
    void SetExpanded(bool Value);
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    bool Selected() const;
    void SetSelected(bool Value);
    // Removes the node and its children from the tree.
    void Delete();
    TTreeView* TreeView() const { return FTree; }
    int ImageIndex = -1;
    int SelectedIndex = -1;

private:
    friend class TTreeNodes;
    friend class TTreeView;
    TTreeView* FTree = nullptr;
    TTreeNode* FParent = nullptr;
    QTreeWidgetItem* FItem = nullptr; // owned by the widget
    std::string FText;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView* Owner) : FTree(Owner) {}
    ~TTreeNodes();
    // A node after the last sibling of Sibling (at the top level for nullptr).
    TTreeNode* Add(TTreeNode* Sibling, const std::string& S) {
        return AddObject(Sibling, S, nullptr);
    }
    TTreeNode* AddObject(TTreeNode* Sibling, const std::string& S, void* Data);
    TTreeNode* AddChild(TTreeNode* Parent, const std::string& S) {
        return AddChildObject(Parent, S, nullptr);
    }
    TTreeNode* AddChildObject(TTreeNode* Parent, const std::string& S, void* Data);
    void Delete(TTreeNode* Node);
    void Clear();
    // Every node, depth first.
    int Count() const;
    TTreeNode* Item(int Index) const;
    TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots[0].get(); }
    void BeginUpdate() {}
    void EndUpdate() {}

private:
    friend class TTreeNode;
    void Flatten(std::vector<TTreeNode*>& Out) const;
    std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* Parent);
    TTreeView* FTree;
    std::vector<std::unique_ptr<TTreeNode>> FRoots;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;

class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;
    std::string ClassName() const override { return "TTreeView"; }
    TTreeNodes* Items() const { return FItems.get(); }
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* Node);
    void FullExpand();
    void FullCollapse();
    bool ReadOnly = true;
    // The node at a client point, or nullptr.
    TTreeNode* GetNodeAt(int X, int Y) const;
    TTVChangedEvent OnChange;

    // Layer only.
    QTreeWidget* Tree() const;
    TTreeNode* NodeOf(QTreeWidgetItem* Item) const;

protected:
    void WMGetDlgCode(TMessage& Message) override;

private:
    std::unique_ptr<TTreeNodes> FItems;
    bool FSyncing = false;
    friend class TTreeNodes;
    friend class TTreeNode;
};

// --- date picker -----------------------------------------------------------------------

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateFormat { dfShort, dfLong };
// A drop-down calendar, or arrows that step the part under the caret.
enum TDTDateMode { dmComboBox, dmUpDown };

// A date in the short date format with a drop-down calendar.
class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* AOwner);
    std::string ClassName() const override { return "TDateTimePicker"; }
    TDateTime Date() const;
    void SetDate(TDateTime Value);
    // The time of day (the fraction of a day).
    TDateTime Time() const;
    void SetTime(TDateTime Value);
    TDateTime DateTime() const { return Date() + Time(); }
    void SetDateTime(TDateTime Value);
    // A date picker or a time picker (shown in LongTimeFormat, no calendar).
    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind Value);
    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat Value);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode Value);
    // A check box before the value: unchecked means "no date". A click on
    // it or Space toggles it; Checked is true without the box.
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool Value);
    bool Checked() const { return !FShowCheckbox || FChecked; }
    void SetChecked(bool Value);
    // Where the check box lies (empty without it).
    TRect CheckboxRect() const;
    bool DroppedDown() const;
    // Opens (or closes) the calendar of a date picker with a drop-down.
    void SetDroppedDown(bool Value);
    TNotifyEvent OnChange, OnCloseUp, OnDropDown;

protected:
    void WMGetDlgCode(TMessage& Message) override;
    // A press on the check box toggles it and goes no further.
    void WMMouseDown(TMessage& Message, TMouseButton Button) override;
    void WMMouseUp(TMessage& Message, TMouseButton Button) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    bool FCheckboxPressed = false;
    QDateTimeEdit* Edit() const;
    void ApplyFormat();
    TDTDateFormat FDateFormat = dfShort;
    TDTDateMode FDateMode = dmComboBox;
    TDateTimeKind FKind = dtkDate;
    bool FShowCheckbox = false, FChecked = true;
    QCheckBox* FCheckbox = nullptr; // owned by the picker's widget
    bool FSyncing = false;
};
