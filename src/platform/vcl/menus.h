#pragma once
// Pop-up menus: a tree of menu items shown at a screen point. Choosing an item
// runs its OnClick on the window thread.

#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/classes.h"

class QMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}
    ~TMenuItem() override;
    std::string ClassName() const override { return "TMenuItem"; }

    // "-" makes a separator; '&' marks the accelerator letter.
    std::string Caption;
    bool Checked = false;
    bool Enabled = true;
    bool Visible = true;
    bool RadioItem = false;
    bool Default = false; // the item a double-click chooses; shown in bold
    int GroupIndex = 0;
    std::string Hint;
    TNotifyEvent OnClick;

    // Sub-items, owned by this item.
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int Index) const { return FItems.at(static_cast<size_t>(Index)); }
    void Add(TMenuItem* Item) { Insert(Count(), Item); }
    void Insert(int Index, TMenuItem* Item);
    void Delete(int Index);
    void Clear();
    int IndexOf(const TMenuItem* Item) const;
    TMenuItem* Parent() const { return FParent; }
    bool IsLine() const { return Caption == "-"; }

    // Runs OnClick (a radio item becomes the checked one of its group).
    virtual void Click();

private:
    std::vector<TMenuItem*> FItems; // owned
    TMenuItem* FParent = nullptr;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;
    std::string ClassName() const override { return "TPopupMenu"; }

    TMenuItem* Items() const { return FItems.get(); }
    bool AutoPopup = true;
    TNotifyEvent OnPopup;
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }

    // Shows the menu at the screen point without waiting for the choice.
    virtual void Popup(int X, int Y);
    // The menu on screen (platform code, tests), else nullptr.
    QMenu* Menu() const { return FMenu.get(); }

private:
    std::unique_ptr<TMenuItem> FItems;
    std::unique_ptr<QMenu> FMenu;
    TComponent* FPopupComponent = nullptr;
};
