// Dragging one control onto another inside the program, the size limits of a
// control, its 3D look and the screen's cursor table.
//
// A drag belongs to its source control, which holds the mouse while it runs:
// its mouse moves find the control under the mouse (the target), ask it
// whether it accepts (OnDragOver with enter, move and leave), and show the
// drag cursor or the no-drop one; the release drops on a target that accepted
// (OnDragDrop) and ends the drag on the source (OnEndDrag). A dock drag has
// no dock site to go to: it ends with OnEndDock and no target. Escape or a
// lost mouse cancels.
#include <QBitmap>
#include <QPixmap>
#include <QWidget>

#include <map>

#include "platform/vcl/controls.h"
#include "platform/vcl/gfx/qtconvert.h"

#include "platform/vcl/qthost.h"

namespace {

constexpr int DefaultDragThreshold = 5;

struct TCursorImage {
    std::vector<std::string> Rows;
    TPoint HotSpot;
};

std::map<TCursor, TCursorImage>& CursorTable() {
    static std::map<TCursor, TCursorImage> table;
    return table;
}

} // namespace

void SetScreenCursorImage(TCursor Index, const std::vector<std::string>& Rows, TPoint HotSpot) {
    CursorTable()[Index] = {Rows, HotSpot};
}

bool ScreenCursorLoaded(TCursor Index) {
    return CursorTable().count(Index) != 0;
}

// A cursor of the table as Qt draws it; false when the index holds none.
bool TableCursor(TCursor Index, QCursor& Cursor) {
    const auto it = CursorTable().find(Index);
    if (it == CursorTable().end() || it->second.Rows.empty()) return false;
    const auto& rows = it->second.Rows;
    int w = 0;
    for (const auto& r : rows)
        w = std::max(w, static_cast<int>(r.size()));
    const int h = static_cast<int>(rows.size());
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
            if (rows[y][x] == '#') image.setPixel(x, y, qRgba(0, 0, 0, 255));
            if (rows[y][x] == '.') image.setPixel(x, y, qRgba(255, 255, 255, 255));
        }
    Cursor = QCursor(QPixmap::fromImage(image), it->second.HotSpot.X, it->second.HotSpot.Y);
    return true;
}

// --- size limits ----------------------------------------------------------------

void TSizeConstraints::Set(int& Field, int Value) {
    Value = std::max(0, Value);
    if (Field == Value) return;
    Field = Value;
    if (OnChange) OnChange(this);
}

void TSizeConstraints::Apply(int& Width, int& Height) const {
    if (FMaxWidth > 0) Width = std::min(Width, FMaxWidth);
    if (FMaxHeight > 0) Height = std::min(Height, FMaxHeight);
    Width = std::max(Width, FMinWidth);
    Height = std::max(Height, FMinHeight);
}

void TControl::SetConstraints(const TSizeConstraints* Value) {
    if (!Value) return;
    const TNotifyEvent keep = FConstraints->OnChange;
    FConstraints->OnChange = nullptr;
    FConstraints->SetMinWidth(Value->MinWidth());
    FConstraints->SetMinHeight(Value->MinHeight());
    FConstraints->SetMaxWidth(Value->MaxWidth());
    FConstraints->SetMaxHeight(Value->MaxHeight());
    FConstraints->OnChange = keep;
    if (keep) keep(FConstraints.get());
}

// --- 3D look ----------------------------------------------------------------------

bool TWinControl::Ctl3D() const {
    if (FParentCtl3D && Parent()) return Parent()->Ctl3D();
    return FCtl3D;
}

void TWinControl::SetCtl3D(bool Value) {
    const bool was = Ctl3D();
    FParentCtl3D = false;
    FCtl3D = Value;
    if (Ctl3D() != was) Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool Value) {
    if (FParentCtl3D == Value) return;
    const bool was = Ctl3D();
    FParentCtl3D = Value;
    if (Ctl3D() != was) Perform(CM_CTL3DCHANGED);
}

void TWinControl::CMCtl3DChanged(TMessage& Message) {
    Invalidate();
    for (TControl* c : std::vector<TControl*>(FControls))
        c->Perform(CM_PARENTCTL3DCHANGED);
    DefaultHandler(Message);
}

void TWinControl::CMParentCtl3DChanged(TMessage& Message) {
    if (FParentCtl3D) Perform(CM_CTL3DCHANGED);
    DefaultHandler(Message);
}

// --- dragging -------------------------------------------------------------------

// The one drag of the program (the mouse can drag one thing at a time).
struct TControlDrag {
    TControl* Source = nullptr;
    std::weak_ptr<bool> SourceAlive;
    TObject* Object = nullptr; // what targets see as the source
    bool Dock = false;
    bool Moving = false; // past the threshold
    int Threshold = DefaultDragThreshold;
    TPoint StartPos; // screen
    TControl* Target = nullptr;
    std::weak_ptr<bool> TargetAlive;
    bool Accepted = false;

    static TControlDrag& Now() {
        static TControlDrag drag;
        return drag;
    }
    bool Active() const { return Source && !SourceAlive.expired(); }

    static TControl* ControlAt(TWinControl* Parent, const TPoint& Client) {
        for (int i = Parent->ControlCount() - 1; i >= 0; --i) {
            TControl* c = Parent->Controls(i);
            if (!c->Visible() || !PtInRect(c->BoundsRect(), Client)) continue;
            const TPoint inner{Client.X - c->Left(), Client.Y - c->Top()};
            if (auto* w = dynamic_cast<TWinControl*>(c))
                if (TControl* deeper = ControlAt(w, inner)) return deeper;
            return c;
        }
        return nullptr;
    }
    // The enabled control under a screen point, on the source's window.
    TControl* FindTarget(const TPoint& Screen) const {
        TControl* top = Source;
        while (top->Parent())
            top = top->Parent();
        auto* win = dynamic_cast<TWinControl*>(top);
        if (!win) return nullptr;
        const TPoint p = win->ScreenToClient(Screen);
        if (!PtInRect(win->ClientRect(), p)) return nullptr;
        TControl* c = ControlAt(win, p);
        if (!c) c = win;
        while (c && !c->Enabled())
            c = c->Parent();
        return c;
    }
    TControl* LiveTarget() const { return TargetAlive.expired() ? nullptr : Target; }

    void ShowCursor() {
        if (Active())
            Source->Widget()->setCursor(
                ToQCursor(Accepted ? Source->DragCursor() : TCursor(crNoDrop)));
    }
    void Leave() {
        if (TControl* t = LiveTarget()) {
            const TPoint p = t->ScreenToClient(LastPos);
            bool accept = false;
            t->DragOver(Object, p.X, p.Y, dsDragLeave, accept);
        }
        Target = nullptr;
        TargetAlive.reset();
        Accepted = false;
    }
    TPoint LastPos; // screen

    void Move(const TPoint& Screen) {
        LastPos = Screen;
        if (!Moving) {
            if (std::abs(Screen.X - StartPos.X) < Threshold &&
                std::abs(Screen.Y - StartPos.Y) < Threshold)
                return;
            Moving = true;
        }
        // A dock drag is offered to dock sites only, and no control is one:
        // it passes over the controls without asking them.
        TControl* t = Dock ? nullptr : FindTarget(Screen);
        if (t != LiveTarget()) {
            Leave();
            Target = t;
            if (t) TargetAlive = t->AliveToken();
            if (t) Over(t, Screen, dsDragEnter);
        } else if (t) {
            Over(t, Screen, dsDragMove);
        }
        ShowCursor();
    }
    void Over(TControl* T, const TPoint& Screen, TDragState State) {
        const TPoint p = T->ScreenToClient(Screen);
        bool accept = false;
        T->DragOver(Object, p.X, p.Y, State, accept);
        Accepted = accept && !TargetAlive.expired();
    }
    void Finish(bool Drop) {
        if (!Active()) {
            *this = TControlDrag();
            return;
        }
        TControl* source = Source;
        const std::weak_ptr<bool> sourceAlive = SourceAlive;
        TObject* object = Object;
        const bool dock = Dock;
        TControl* target = (Drop && Moving && Accepted) ? LiveTarget() : nullptr;
        const TPoint pos = LastPos;
        if (!target) Leave();
        *this = TControlDrag(); // a handler may start the next drag
        source->SetMouseCapture(false);
        source->ApplyCursor();
        TPoint at = source->ScreenToClient(pos);
        if (target) {
            const std::weak_ptr<bool> targetAlive = target->AliveToken();
            at = target->ScreenToClient(pos);
            target->DragDrop(object, at.X, at.Y);
            if (targetAlive.expired()) target = nullptr;
        }
        if (sourceAlive.expired()) return;
        if (dock)
            source->DoEndDock(target, at.X, at.Y);
        else
            source->DoEndDrag(target, at.X, at.Y);
    }
};

void TControl::BeginDrag(bool Immediate, int Threshold) {
    TControlDrag& d = TControlDrag::Now();
    if (d.Active()) return;
    const std::weak_ptr<bool> alive = AliveToken();
    TObject* object = nullptr;
    if (FDragKind == dkDock) {
        TDragDockObject* dock = nullptr;
        DoStartDock(dock);
        object = dock;
    } else {
        TDragObject* drag = nullptr;
        DoStartDrag(drag);
        object = drag;
    }
    if (alive.expired()) return;
    d.Source = this;
    d.SourceAlive = alive;
    d.Object = object ? object : this;
    d.Dock = FDragKind == dkDock;
    d.Threshold = Threshold < 0 ? DefaultDragThreshold : Threshold;
    d.Moving = Immediate;
    d.StartPos = d.LastPos = FromQPoint(QCursor::pos());
    SetMouseCapture(true);
    d.ShowCursor();
}

void TControl::EndDrag(bool Drop) {
    if (TControlDrag::Now().Source == this) TControlDrag::Now().Finish(Drop);
}

bool TControl::Dragging() const {
    return TControlDrag::Now().Active() && TControlDrag::Now().Source == this;
}

void TControl::DoStartDrag(TDragObject*& DragObject) {
    if (OnStartDrag) OnStartDrag(this, DragObject);
}
void TControl::DoEndDrag(TObject* Target, int X, int Y) {
    if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}
void TControl::DoStartDock(TDragDockObject*& DragObject) {
    if (OnStartDock) OnStartDock(this, DragObject);
}
void TControl::DoEndDock(TObject* Target, int X, int Y) {
    if (OnEndDock) OnEndDock(this, Target, X, Y);
}
void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    Accept = false;
    if (!OnDragOver) return;
    Accept = true;
    OnDragOver(this, Source, X, Y, State, Accept);
}
void TControl::DragDrop(TObject* Source, int X, int Y) {
    if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

// The drag's share of a control's messages; true when the message was the drag's.
bool ControlDragMessage(TControl& Control, TMessage& M) {
    TControlDrag& d = TControlDrag::Now();
    if ((M.Msg == WM_LBUTTONDOWN || M.Msg == WM_LBUTTONDBLCLK) &&
        Control.DragMode() == dmAutomatic && !d.Active()) {
        Control.BeginDrag(true);
        if (d.Source == &Control)
            d.StartPos = d.LastPos =
                Control.ClientToScreen({SignedLo(M.LParam), SignedHi(M.LParam)});
        return true;
    }
    if (!d.Active() || d.Source != &Control) return false;
    switch (M.Msg) {
    case WM_MOUSEMOVE:
        d.Move(Control.ClientToScreen({SignedLo(M.LParam), SignedHi(M.LParam)}));
        return true;
    case WM_LBUTTONUP:
        d.LastPos = Control.ClientToScreen({SignedLo(M.LParam), SignedHi(M.LParam)});
        d.Finish(true);
        return true;
    case WM_RBUTTONDOWN:
        d.Finish(false);
        return true;
    case WM_KEYDOWN:
        if (M.WParam == VK_ESCAPE) {
            d.Finish(false);
            return true;
        }
        return false;
    default:
        return false;
    }
}
