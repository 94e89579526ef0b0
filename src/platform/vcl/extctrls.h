#pragma once
// Panels, timers and paint boxes.

#include <memory>

#include "platform/vcl/controls.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/stdctrls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* AOwner);
    std::string ClassName() const override { return "TPanel"; }
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

protected:
    void AdjustClientRect(TRect& R) const override;
    void Paint() override;

private:
    int BorderSize() const;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TAlignment FAlignment = taCenter;
};

// A drawing area: OnPaint draws on Canvas.
class TPaintBox : public TGraphicControl {
public:
    explicit TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {}
    std::string ClassName() const override { return "TPaintBox"; }
    TNotifyEvent OnPaint;

protected:
    void Paint() override {
        if (OnPaint) OnPaint(this);
    }
};

// Fires OnTimer every Interval milliseconds while Enabled and assigned.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    std::string ClassName() const override { return "TTimer"; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value);
    void SetOnTimer(TNotifyEvent Value);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }

private:
    void UpdateTimer();
    HWND FWindow = nullptr;
    bool FEnabled = true;
    unsigned FInterval = 1000;
    TNotifyEvent FOnTimer;
};

// A group box of radio buttons made from Items; ItemIndex is the checked one.
class TRadioGroup : public TGroupBox {
public:
    explicit TRadioGroup(TComponent* AOwner);
    ~TRadioGroup() override;
    std::string ClassName() const override { return "TRadioGroup"; }
    TStrings* Items() const { return FItems.get(); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    // The radio button of an item (for enabling single items).
    TRadioButton* Buttons(int Index) const { return FButtons.at(static_cast<size_t>(Index)); }

protected:
    void WMSize(TMessage& Message) override;

private:
    void ItemsChanged();
    void ArrangeButtons();
    std::unique_ptr<TControlItems> FItems;
    std::vector<TRadioButton*> FButtons; // children, destroyed with the group
    int FItemIndex = -1;
    int FColumns = 1;
    bool FUpdating = false;
};

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

// A bar between aligned controls; dragging it resizes the control it is docked to.
class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* AOwner);
    std::string ClassName() const override { return "TSplitter"; }
    int MinSize = 30;
    TResizeStyle ResizeStyle = rsUpdate;
    TNotifyEvent OnMoved;
    // The control that the splitter resizes (the neighbour on its docked side).
    TControl* FindControl() const;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Paint() override;

private:
    TControl* FControl = nullptr;
    TPoint FDownPos;
    int FStartSize = 0;
};
