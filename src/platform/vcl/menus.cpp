#include "platform/vcl/menus.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

#include "platform/vcl/gfx/qtconvert.h"
#include "platform/vcl/qtapp.h"

TMenuItem::~TMenuItem() {
    Clear();
    if (FParent) {
        auto& list = FParent->FItems;
        list.erase(std::find(list.begin(), list.end(), this));
    }
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (!Item || Item->FParent) throw EListError("Menu item already has a parent");
    Index = std::clamp(Index, 0, Count());
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
}

void TMenuItem::Delete(int Index) {
    TMenuItem* item = Items(Index);
    FItems.erase(FItems.begin() + Index);
    item->FParent = nullptr;
}

void TMenuItem::Clear() {
    while (!FItems.empty()) {
        TMenuItem* item = FItems.back();
        FItems.pop_back();
        item->FParent = nullptr;
        if (!item->Owner()) delete item; // owned by the menu, not by a form
    }
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    const auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Click() {
    if (!Enabled) return;
    if (RadioItem && FParent) {
        for (TMenuItem* other : FParent->FItems)
            if (other->RadioItem && other->GroupIndex == GroupIndex) other->Checked = false;
        Checked = true;
    }
    if (OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {}

TPopupMenu::~TPopupMenu() = default;

namespace {

void FillMenu(QMenu* Menu, const TMenuItem* Parent) {
    for (int i = 0; i < Parent->Count(); ++i) {
        TMenuItem* item = Parent->Items(i);
        if (!item->Visible) continue;
        if (item->IsLine()) {
            Menu->addSeparator();
            continue;
        }
        if (item->Count() > 0) {
            QMenu* sub = Menu->addMenu(ToQString(item->Caption));
            sub->setEnabled(item->Enabled);
            FillMenu(sub, item);
            continue;
        }
        QAction* action = Menu->addAction(ToQString(item->Caption));
        action->setEnabled(item->Enabled);
        action->setCheckable(item->Checked || item->RadioItem);
        action->setChecked(item->Checked);
        if (item->Default) Menu->setDefaultAction(action);
        QObject::connect(action, &QAction::triggered, [item] { item->Click(); });
    }
}

} // namespace

void TPopupMenu::Popup(int X, int Y) {
    EnsureQtApplication();
    if (OnPopup) OnPopup(this);
    FMenu = std::make_unique<QMenu>();
    FillMenu(FMenu.get(), FItems.get());
    FMenu->popup(QPoint(X, Y));
}
