#include "grid/droplist.h"

#include "platform/vcl/listctrls.h"

class TDropList : public TListBox {
public:
    explicit TDropList(TComponent* AOwner) : TListBox(AOwner) {}
    std::string ClassName() const override { return "TDropList"; }
    std::function<void(int Index)> OnSelect;

    void Choose() {
        SetVisible(false);
        if (OnSelect) OnSelect(ItemIndex());
    }

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override {
        if (Key == VK_RETURN) {
            Choose();
            return;
        }
        if (Key == VK_ESCAPE) {
            SetVisible(false);
            return;
        }
        TListBox::KeyDown(Key, Shift);
    }
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        TListBox::MouseUp(Button, Shift, X, Y);
        Choose();
    }
};

TDropList* CreateDropList(TComponent* Owner, std::function<void(int Index)> OnSelect) {
    auto* list = new TDropList(Owner); // owned by Owner as a component
    list->SetVisible(false);
    list->SetBounds(0, 0, 0, 0);
    list->OnSelect = std::move(OnSelect);
    return list;
}

void ShowDropList(TDropList* List, TWinControl* Parent, const TRect& Bounds, TColor Color,
                  const TFont* Font, const std::vector<std::string>& Lines) {
    if (Parent) List->SetParent(Parent);
    List->SetColor(Color);
    List->Font()->Assign(Font);
    List->SetBounds(Bounds.Left, Bounds.Top, Bounds.Right - Bounds.Left,
                    Bounds.Bottom - Bounds.Top);
    List->Items()->Clear();
    for (const std::string& l : Lines)
        List->Items()->Add(l);
    List->SetItemIndex(0);
    List->SetVisible(true);
    if (List->Parent() && List->CanFocus()) List->SetFocus();
}

void HideDropList(TDropList* List) {
    List->SetVisible(false);
}

bool DropListVisible(const TDropList* List) {
    return List->Visible();
}

std::vector<std::string> DropListLines(const TDropList* List) {
    std::vector<std::string> lines;
    for (int i = 0; i < List->Count(); ++i)
        lines.push_back((*List->Items())[i]);
    return lines;
}

void ChooseDropListLine(TDropList* List, int Index) {
    List->SetItemIndex(Index);
    List->Choose();
}
