// Window functions on handles, and the text and redraw messages.
#include <gtest/gtest.h>

#include <QWidget>

#include "platform/vcl/regions.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/winapi.h"
#include "vcltestenv.h"

TEST(WinApi, HandlesAnswerForTheirControls) {
    auto form = MakeForm(300, 200);
    auto* c = AddRecorder(form.get(), 10, 20, 100, 50);
    TRect r;
    EXPECT_TRUE(GetClientRect(c, r));
    EXPECT_EQ(Rect(0, 0, 100, 50), r);
    TPoint p{0, 0};
    EXPECT_TRUE(ClientToScreen(c, p));
    TPoint back = p;
    EXPECT_TRUE(ScreenToClient(c, back));
    EXPECT_EQ(Point(0, 0), back);
    EXPECT_TRUE(GetWindowRect(c, r));
    EXPECT_EQ(p, r.TopLeft());
    EXPECT_FALSE(IsWindowVisible(c)); // the form is hidden
    form->Show();
    EXPECT_TRUE(IsWindowVisible(c));
    EXPECT_FALSE(EnableWindow(c, false));
    EXPECT_FALSE(IsWindowEnabled(c));
    EXPECT_TRUE(EnableWindow(c, true));
    EXPECT_TRUE(InvalidateRect(c, nullptr, true));
    EXPECT_TRUE(UpdateWindow(c));
    SetCapture(c);
    EXPECT_EQ(c, GetCapture());
    ReleaseCapture();
    EXPECT_FALSE(c->MouseCapture());
    HWND bare = AllocateHWnd(nullptr);
    EXPECT_FALSE(GetClientRect(bare, r));
    EXPECT_FALSE(IsWindowVisible(bare));
    DeallocateHWnd(bare);
    form->Hide();
}

TEST(WinApi, TextMessagesReadAndWriteTheCaption) {
    auto form = MakeForm();
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    EXPECT_EQ(1, SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Groep \xBD")));
    EXPECT_EQ("Groep \xBD", edit->Text());
    EXPECT_EQ(7, SendMessage(edit, WM_GETTEXTLENGTH));
    char buffer[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(4, SendMessage(edit, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_STREQ("Groe", buffer);
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Naam"));
    EXPECT_EQ("Naam", label->Caption());
}

TEST(WinApi, SetRedrawOffHoldsThePainting) {
    auto form = MakeForm(100, 80);
    auto* c = AddRecorder(form.get(), 0, 0, 50, 50);
    form->Show();
    Application->ProcessMessages();
    c->Perform(WM_SETREDRAW, 0);
    c->Log.clear();
    c->Invalidate();
    c->Update();
    EXPECT_TRUE(c->Only(WM_PAINT).empty());
    c->Perform(WM_SETREDRAW, 1);
    c->Update();
    EXPECT_FALSE(c->Only(WM_PAINT).empty());
    form->Hide();
}

TEST(Regions, RectanglesCombineAndExcludeTheirFarEdges) {
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 20, 20);
    EXPECT_TRUE(PtInRegion(a.get(), 9, 9));
    EXPECT_FALSE(PtInRegion(a.get(), 10, 9)); // the right edge is outside
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(NULLREGION, CombineRgn(r.get(), r.get(), nullptr, RGN_COPY));
    EXPECT_EQ(SIMPLEREGION, CombineRgn(r.get(), a.get(), b.get(), RGN_AND));
    TRect box;
    GetRgnBox(r.get(), box);
    EXPECT_EQ(Rect(5, 5, 10, 10), box);
    EXPECT_EQ(COMPLEXREGION, CombineRgn(r.get(), a.get(), b.get(), RGN_OR));
    EXPECT_TRUE(PtInRegion(r.get(), 1, 1));
    EXPECT_TRUE(PtInRegion(r.get(), 19, 19));
    EXPECT_FALSE(PtInRegion(r.get(), 19, 1));
    EXPECT_EQ(COMPLEXREGION, CombineRgn(r.get(), a.get(), b.get(), RGN_DIFF));
    EXPECT_FALSE(PtInRegion(r.get(), 7, 7));
    EXPECT_TRUE(PtInRegion(r.get(), 2, 7));
    CombineRgn(r.get(), a.get(), b.get(), RGN_XOR);
    EXPECT_FALSE(PtInRegion(r.get(), 7, 7));
    EXPECT_TRUE(PtInRegion(r.get(), 15, 15));
    EXPECT_EQ(RGN_ERROR, CombineRgn(r.get(), a.get(), nullptr, RGN_OR));
}

TEST(Regions, PolygonFillModes) {
    // A triangle: inside near its base, outside beyond its slanted side.
    const TPoint triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    HRGN t = CreatePolygonRgn(triangle, 3, WINDING);
    EXPECT_TRUE(PtInRegion(t.get(), 1, 1));
    EXPECT_FALSE(PtInRegion(t.get(), 8, 8));
    EXPECT_FALSE(PtInRegion(t.get(), 10, 0)); // the far edge stays outside
    // A star drawn in one stroke: its centre is inside only with winding fill.
    const TPoint star[] = {{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}};
    HRGN winding = CreatePolygonRgn(star, 5, WINDING);
    HRGN alternate = CreatePolygonRgn(star, 5, ALTERNATE);
    EXPECT_TRUE(PtInRegion(winding.get(), 10, 11));
    EXPECT_FALSE(PtInRegion(alternate.get(), 10, 11));
    EXPECT_TRUE(PtInRegion(alternate.get(), 10, 3)); // a point of the star
    HRGN none = CreatePolygonRgn(star, 2, WINDING);
    TRect box;
    EXPECT_EQ(NULLREGION, GetRgnBox(none.get(), box));
}

TEST(Regions, AWindowTakesItsRegionAsItsShape) {
    auto form = MakeForm(300, 200);
    auto* c = AddRecorder(form.get(), 10, 20, 40, 40);
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(RGN_ERROR, GetWindowRgn(c, copy.get())); // no shape yet
    const TPoint diamond[] = {{20, 0}, {40, 20}, {20, 40}, {0, 20}};
    EXPECT_TRUE(SetWindowRgn(c, CreatePolygonRgn(diamond, 4, WINDING), true));
    EXPECT_FALSE(c->Widget()->mask().isEmpty());
    EXPECT_TRUE(c->Widget()->mask().contains(QPoint(20, 20)));
    EXPECT_FALSE(c->Widget()->mask().contains(QPoint(1, 1)));
    EXPECT_NE(RGN_ERROR, GetWindowRgn(c, copy.get()));
    EXPECT_TRUE(PtInRegion(copy.get(), 20, 5));
    EXPECT_FALSE(PtInRegion(copy.get(), 38, 2));
    // No region: the whole rectangle again.
    EXPECT_TRUE(SetWindowRgn(c, HRGN(), false));
    EXPECT_TRUE(c->Widget()->mask().isEmpty());
    // A drawn control without a window of its own has no shape to take.
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    EXPECT_FALSE(SetWindowRgn(label, CreateRectRgn(0, 0, 5, 5), true));
}
