// Window functions on handles, and the text and redraw messages.
#include <gtest/gtest.h>

#include <QWidget>

#include "platform/vcl/stdctrls.h"
#include "platform/vcl/winapi.h"
#include "vcltestenv.h"

TEST(WinApi, HandlesAnswerForTheirControls) {
    auto form = MakeForm(300, 200);
    auto* c = new TRecorder(form.get());
    c->SetParent(form.get());
    c->SetBounds(10, 20, 100, 50);
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
    auto* c = new TRecorder(form.get());
    c->SetParent(form.get());
    c->SetBounds(0, 0, 50, 50);
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
