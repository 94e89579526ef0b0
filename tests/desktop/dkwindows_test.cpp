#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "desktop/dktimer.h"
#include "desktop/dktrayicon.h"
#include "desktop/dkwndhook.h"
#include "dkprocess.h"
#include "dktestenv.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/winapi.h"

namespace {

// A panel whose own procedure is recorded in Log.
struct THookFixture {
    TForm Form{nullptr};
    TPanel* Panel = new TPanel(&Form);
    std::vector<std::string> Log;
    THookFixture() {
        Panel->SetParent(&Form);
        const TWndMethod Own = Panel->WindowProc;
        Panel->WindowProc = [this, Own](TMessage& M) {
            if (M.Msg == WM_USER + 7) Log.push_back("panel");
            Own(M);
        };
    }
    TdkWndProcHook* MakeHook(const std::string& Name) {
        auto* H = new TdkWndProcHook(&Form);
        H->SetWinControl(Panel);
        H->OnMessageBefore = [this, Name](TObject*, TMessage& M, bool&) {
            if (M.Msg == WM_USER + 7) Log.push_back(Name + "<");
        };
        H->OnMessageAfter = [this, Name](TObject*, TMessage& M, bool&) {
            if (M.Msg == WM_USER + 7) Log.push_back(Name + ">");
        };
        return H;
    }
    std::string Send() {
        Log.clear();
        Panel->Perform(WM_USER + 7);
        std::string S;
        for (const auto& L : Log)
            S += L + " ";
        return S;
    }
};

} // namespace

TEST(DkWndProcHook, TwoHooksChainAndLeaveInEitherOrder) {
    for (const bool FirstLeavesFirst : {true, false}) {
        THookFixture F;
        TdkWndProcHook* A = F.MakeHook("A");
        TdkWndProcHook* B = F.MakeHook("B");
        EXPECT_EQ(F.Send(), "panel ");
        A->SetActive(true);
        B->SetActive(true);
        EXPECT_EQ(dkWndProcHookCount(F.Panel), 2);
        EXPECT_EQ(F.Send(), "B< A< panel A> B> ");
        (FirstLeavesFirst ? A : B)->SetActive(false);
        EXPECT_EQ(F.Send(), FirstLeavesFirst ? "B< panel B> " : "A< panel A> ");
        (FirstLeavesFirst ? B : A)->SetActive(false);
        EXPECT_EQ(dkWndProcHookCount(F.Panel), 0);
        EXPECT_EQ(F.Send(), "panel ");
        // Back on: the chain is built again in the new order.
        B->SetActive(true);
        A->SetActive(true);
        EXPECT_EQ(F.Send(), "A< B< panel B> A> ");
    }
}

TEST(DkWndProcHook, AnActiveHookMovesWithItsControlAndItsHandle) {
    THookFixture F;
    TdkWndProcHook* A = F.MakeHook("A");
    int ControlChanges = 0, HandleChanges = 0;
    A->OnChangeWinControl = [&](TObject*) { ++ControlChanges; };
    A->OnChangeHandle = [&](TObject*) { ++HandleChanges; };
    A->SetActive(true);
    auto* Other = new TPanel(&F.Form);
    Other->SetParent(&F.Form);
    A->SetWinControl(Other);
    EXPECT_EQ(ControlChanges, 1);
    EXPECT_TRUE(A->Active());
    EXPECT_EQ(dkWndProcHookCount(F.Panel), 0);
    EXPECT_EQ(dkWndProcHookCount(Other), 1);
    EXPECT_EQ(F.Send(), "panel ");
    A->HandleChanged();
    EXPECT_EQ(HandleChanges, 1);
    EXPECT_EQ(dkWndProcHookCount(Other), 1);
}

TEST(DkWndProcHook, HandledKeepsTheMessageFromTheWindow) {
    THookFixture F;
    TdkWndProcHook* A = F.MakeHook("A");
    A->OnMessageBefore = [&](TObject*, TMessage& M, bool& Handled) {
        if (M.Msg == WM_USER + 7) {
            Handled = true;
            M.Result = 42;
        }
    };
    bool AfterSawHandled = false;
    A->OnMessageAfter = [&](TObject*, TMessage& M, bool& Handled) {
        if (M.Msg == WM_USER + 7) AfterSawHandled = Handled;
    };
    A->SetActive(true);
    EXPECT_EQ(F.Panel->Perform(WM_USER + 7), 42);
    EXPECT_TRUE(F.Log.empty());
    EXPECT_TRUE(AfterSawHandled);
}

TEST(DkWndProcHook, AutoDragTurnsAPressIntoAMove) {
    THookFixture F;
    TdkWndProcHook* A = F.MakeHook("A");
    std::vector<WPARAM> Commands;
    bool PressReachedPanel = false;
    const TWndMethod Inner = F.Panel->WindowProc;
    F.Panel->WindowProc = [&, Inner](TMessage& M) {
        if (M.Msg == WM_LBUTTONDOWN) PressReachedPanel = true;
        if (M.Msg == WM_SYSCOMMAND) Commands.push_back(M.WParam);
        Inner(M);
    };
    A->SetAutoDrag(true);
    A->SetActive(true);
    F.Panel->Perform(WM_LBUTTONDOWN, 0, MakeLParam(3, 4));
    EXPECT_FALSE(PressReachedPanel);
    ASSERT_EQ(Commands.size(), 1u);
    EXPECT_EQ(Commands[0], 61458u);
}

TEST(DkWndProcHook, ControlFreedUnderTheHook) {
    TForm Form(nullptr);
    auto* Panel = new TPanel(&Form);
    Panel->SetParent(&Form);
    TdkWndProcHook Hook(nullptr);
    int Changes = 0;
    Hook.OnChangeWinControl = [&](TObject*) { ++Changes; };
    Hook.SetWinControl(Panel);
    Hook.SetActive(true);
    EXPECT_EQ(Changes, 1);
    delete Panel;
    EXPECT_EQ(Hook.WinControl(), nullptr);
    EXPECT_EQ(dkWndProcHookCount(Panel), 0);
    Hook.SetActive(false);
}

TEST(DkWndProcHook, DesignTimeOnlyStoresTheFlag) {
    THookFixture F;
    TdkWndProcHook* A = F.MakeHook("A");
    A->SetDesigning(true);
    A->SetActive(true);
    EXPECT_TRUE(A->Active());
    EXPECT_EQ(F.Send(), "panel ");
}

namespace {

// The notification area of a desktop that has one, as the component sees it.
struct TTrayRecord {
    int Adds = 0, Deletes = 0, Modifies = 0;
    bool Shown = false;
    std::string Tip, BalloonTitle, BalloonText;
    TTrayBalloonIcon BalloonKind = tbiNone;
    unsigned BalloonTimeout = 0;
};

class TRecordingTray : public TTrayIconService {
public:
    explicit TRecordingTray(TTrayRecord& R) : FR(R) {}
    bool Add(const TGraphic*, const std::string& Tip) override {
        ++FR.Adds;
        FR.Tip = Tip;
        return FR.Shown = true;
    }
    bool Modify(const TGraphic*, const std::string& Tip) override {
        ++FR.Modifies;
        FR.Tip = Tip;
        return FR.Shown;
    }
    bool Delete() override {
        ++FR.Deletes;
        const bool Was = FR.Shown;
        FR.Shown = false;
        return Was;
    }
    bool ShowBalloon(const std::string& Title, const std::string& Text, TTrayBalloonIcon Kind,
                     unsigned Timeout) override {
        FR.BalloonTimeout = Timeout;
        FR.BalloonTitle = Title;
        FR.BalloonText = Text;
        FR.BalloonKind = Kind;
        return FR.Shown;
    }
    bool Shown() const override { return FR.Shown; }

private:
    TTrayRecord& FR;
};

class TrayIcon : public ::testing::Test {
protected:
    void SetUp() override {
        Saved = TdkTrayIcon::ServiceFactory;
        TdkTrayIcon::ServiceFactory = [this](HWND, UINT) {
            return std::make_unique<TRecordingTray>(Rec);
        };
    }
    void TearDown() override { TdkTrayIcon::ServiceFactory = Saved; }
    // A menu of a plain item and, second, the default one.
    static TPopupMenu* MenuWithDefault(TForm& Form, TMenuItem*& Plain, TMenuItem*& Main) {
        auto* Menu = new TPopupMenu(&Form);
        Plain = new TMenuItem(Menu);
        Main = new TMenuItem(Menu);
        Main->Default = true;
        Menu->Items()->Add(Plain);
        Menu->Items()->Add(Main);
        return Menu;
    }
    void Callback(TdkTrayIcon* T, UINT Mouse) {
        SendMessage(T->WindowHandle(), WM_DKTRAYICON, 0, static_cast<LPARAM>(Mouse));
    }
    TTrayRecord Rec;
    TTrayIconServiceFactory Saved;
};

} // namespace

// The real tray service, on a session bus of the test's own: whatever desktop
// runs the tests, its panel is neither asked nor shown an icon.
class DkTrayIconNoTray : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Bus.Running());
        setenv("DBUS_SESSION_BUS_ADDRESS", Bus.Address().c_str(), 1);
    }
    TTempFolder Dir;
    TPrivateBus Bus{Dir.Path()};
};

TEST_F(DkTrayIconNoTray, ADesktopWithoutATrayReportsTheFailedInsert) {
    ASSERT_FALSE(DesktopTrayAvailable()); // the offscreen desktop has none
    TForm Form(nullptr);
    auto* T = new TdkTrayIcon(&Form);
    T->SetName("TrayIcon1");
    bool Shown = false;
    T->OnShow = [&](TObject*) { Shown = true; };
    try {
        T->SetVisible(true);
        FAIL() << "no exception";
    } catch (const EdkTrayIcon& E) {
        EXPECT_STREQ(E.what(), "TrayIcon1.InsertToTray failed");
    }
    EXPECT_FALSE(T->Visible());
    EXPECT_FALSE(Shown);
    EXPECT_FALSE(T->ShowBalloon());
}

TEST_F(TrayIcon, ShowHideAndTheTextsTheAreaGets) {
    TForm Form(nullptr);
    auto* T = new TdkTrayIcon(&Form);
    int Shows = 0, Hides = 0;
    T->OnShow = [&](TObject*) { ++Shows; };
    T->OnHide = [&](TObject*) { ++Hides; };
    T->SetHint(std::string(200, 'h'));
    T->SetVisible(true);
    EXPECT_EQ(Rec.Adds, 1);
    EXPECT_EQ(Rec.Tip, std::string(127, 'h'));
    EXPECT_EQ(Shows, 1);
    T->SetShowHint(false);
    EXPECT_EQ(Rec.Tip, "");
    T->SetInfoTitle(std::string(80, 't'));
    T->SetInfoText(std::string(300, 'x'));
    T->SetInfoType(tiiWarning);
    EXPECT_TRUE(T->ShowBalloon());
    EXPECT_EQ(Rec.BalloonTitle.size(), 63u);
    EXPECT_EQ(Rec.BalloonText.size(), 255u);
    EXPECT_EQ(Rec.BalloonKind, tbiWarning);
    EXPECT_EQ(Rec.BalloonTimeout, 10000u);
    T->SetInfoTimeout(2500);
    T->ShowBalloon();
    EXPECT_EQ(Rec.BalloonTimeout, 2500u);
    Form.Hide();
    T->SetVisible(false);
    EXPECT_EQ(Hides, 1);
    EXPECT_FALSE(Rec.Shown);
    EXPECT_TRUE(Form.Visible()); // the hidden owner form comes back
}

TEST_F(TrayIcon, ANewTaskbarGetsTheShownIconAgain) {
    TForm Form(nullptr);
    auto* T = new TdkTrayIcon(&Form);
    T->SetVisible(true);
    Rec.Shown = false; // the panel restarted and knows no icons
    SendMessage(T->WindowHandle(), TaskbarCreatedMessage());
    EXPECT_TRUE(Rec.Shown);
    EXPECT_EQ(Rec.Adds, 2);
    T->SetVisible(false);
    SendMessage(T->WindowHandle(), TaskbarCreatedMessage());
    EXPECT_EQ(Rec.Adds, 2); // a hidden icon stays away
    EXPECT_EQ(SendMessage(T->WindowHandle(), WM_QUERYENDSESSION), 1);
}

TEST_F(TrayIcon, MouseAndBalloonNotificationsFireTheEvents) {
    TForm Form(nullptr);
    auto* T = new TdkTrayIcon(&Form);
    std::vector<std::string> Seen;
    T->OnMouseDown = [&](TObject*, TMouseButton B, TShiftState, int, int) {
        Seen.push_back("down" + std::to_string(B));
    };
    T->OnMouseUp = [&](TObject*, TMouseButton B, TShiftState, int, int) {
        Seen.push_back("up" + std::to_string(B));
    };
    T->OnClick = [&](TObject*) { Seen.push_back("click"); };
    T->OnDblClick = [&](TObject*) { Seen.push_back("dbl"); };
    T->OnBalloonShow = [&](TObject*) { Seen.push_back("bshow"); };
    T->OnBalloonTimeout = [&](TObject*) { Seen.push_back("btime"); };
    T->OnBalloonClick = [&](TObject*) { Seen.push_back("bclick"); };
    for (UINT M : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MBUTTONDOWN,
                   NIN_BALLOONSHOW, NIN_BALLOONTIMEOUT, NIN_BALLOONUSERCLICK})
        Callback(T, M);
    const std::vector<std::string> Want = {"down0", "up0",   "click", "up0",   "dbl",
                                           "down2", "bshow", "btime", "bclick"};
    EXPECT_EQ(Seen, Want);
    Seen.clear();
    T->SetEnabled(false);
    Callback(T, WM_LBUTTONDOWN);
    EXPECT_TRUE(Seen.empty());
}

TEST_F(TrayIcon, DoubleClickChoosesTheDefaultMenuItem) {
    TForm Form(nullptr);
    TMenuItem *Plain = nullptr, *Main = nullptr;
    TPopupMenu* Menu = MenuWithDefault(Form, Plain, Main);
    int PlainClicks = 0, MainClicks = 0;
    Plain->OnClick = [&](TObject*) { ++PlainClicks; };
    Main->OnClick = [&](TObject*) { ++MainClicks; };
    auto* T = new TdkTrayIcon(&Form);
    T->SetPopupMenu(Menu);
    SendMessage(T->WindowHandle(), WM_DKTRAYICON, 0, WM_LBUTTONDBLCLK);
    EXPECT_EQ(MainClicks, 1);
    EXPECT_EQ(PlainClicks, 0);
}

TEST_F(TrayIcon, FreedWhileItsMenuIsOpen) {
    TForm Form(nullptr);
    Form.Show();
    auto* Menu = new TPopupMenu(&Form);
    auto* Item = new TMenuItem(Menu);
    Item->Caption = "Afsluiten";
    Menu->Items()->Add(Item);
    auto* T = new TdkTrayIcon(&Form);
    T->SetPopupMenu(Menu);
    int Popups = 0;
    T->OnPopupMenu = [&](TObject*) { ++Popups; };
    bool Chosen = false;
    Item->OnClick = [&](TObject*) {
        Chosen = true;
        delete T; // the choice frees the icon that opened the menu
    };
    SendMessage(T->WindowHandle(), WM_DKTRAYICON, 0, WM_RBUTTONUP);
    EXPECT_EQ(Popups, 1);
    ASSERT_NE(Menu->Menu(), nullptr);
    // A notification still on its way when the icon goes is dropped with it.
    PostMessage(T->WindowHandle(), WM_DKTRAYICON, 0, WM_RBUTTONUP);
    Item->Click(); // chosen while the menu is open
    EXPECT_TRUE(Chosen);
    // Posted messages are handled in order: once a later one reached another
    // icon, the one for the freed icon had its turn.
    auto* Later = new TdkTrayIcon(&Form);
    int LaterDoubles = 0;
    Later->OnDblClick = [&](TObject*) { ++LaterDoubles; };
    PostMessage(Later->WindowHandle(), WM_DKTRAYICON, 0, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(PumpUntil([&] { return LaterDoubles == 1; }));
    EXPECT_EQ(Popups, 1);

    // And the other way round: a menu freed while the icon lives is forgotten.
    auto* T2 = new TdkTrayIcon(&Form);
    T2->SetPopupMenu(Menu);
    delete Menu;
    EXPECT_EQ(T2->PopupMenu(), nullptr);
    SendMessage(T2->WindowHandle(), WM_DKTRAYICON, 0, WM_RBUTTONUP);
}

TEST_F(TrayIcon, CyclingWalksTheImageList) {
    TForm Form(nullptr);
    auto* Images = new TImageList(&Form);
    TBitmap B;
    B.SetSize(16, 16);
    for (int i = 0; i < 3; ++i)
        Images->Add(&B);
    auto* T = new TdkTrayIcon(&Form);
    T->SetImageList(Images);
    T->SetVisible(true);
    std::vector<int> Indexes;
    T->OnCycleIcons = [&](TObject*) { Indexes.push_back(T->ImageIndex()); };
    T->SetCycleInterval(5);
    T->SetCycleIcons(true);
    ASSERT_TRUE(PumpUntil([&] { return Indexes.size() >= 4; }));
    EXPECT_EQ((std::vector<int>(Indexes.begin(), Indexes.begin() + 4)),
              (std::vector<int>{1, 2, 0, 1}));
    EXPECT_GE(Rec.Modifies, 4);
    T->SetCycleIcons(false);
    const auto Count = Indexes.size();
    // A timer of the same interval is the clock.
    auto* Clock = new TdkCustomTimer(&Form);
    int Beats = 0;
    Clock->SetInterval(5);
    Clock->SetOnTimer([&](TObject*) { ++Beats; });
    ASSERT_TRUE(PumpUntil([&] { return Beats >= 5; }));
    EXPECT_EQ(Indexes.size(), Count);
}

TEST_F(TrayIcon, DesignTimeShowsOnlyWhenAskedTo) {
    TForm Form(nullptr);
    auto* T = new TdkTrayIcon(&Form);
    T->SetDesigning(true);
    T->SetVisible(true);
    EXPECT_EQ(Rec.Adds, 0);
    T->SetVisibleOnDesigning(true);
    EXPECT_EQ(Rec.Adds, 1);
    T->SetVisibleOnDesigning(false);
    EXPECT_FALSE(Rec.Shown);
}

TEST_F(TrayIcon, MinimizingTheMainWindowMovesItToTheTray) {
    TForm* Main = nullptr;
    Application->CreateForm(Main);
    Main->Show();
    auto* T = new TdkTrayIcon(Main);
    int Minimized = 0, Doubles = 0;
    T->OnMinimize = [&](TObject*) { ++Minimized; };
    T->OnDblClick = [&](TObject*) { ++Doubles; };
    T->SetMinimizeToTray(true);
    Main->SetWindowState(wsMinimized);
    ASSERT_TRUE(PumpUntil([&] { return Minimized == 1; }));
    EXPECT_FALSE(Main->Visible());
    EXPECT_TRUE(T->Visible());
    EXPECT_TRUE(Rec.Shown);
    // A double-click brings the window back, another hides it again.
    SendMessage(T->WindowHandle(), WM_DKTRAYICON, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(Main->Visible());
    SendMessage(T->WindowHandle(), WM_DKTRAYICON, 0, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(Main->Visible());
    EXPECT_EQ(Doubles, 2);
    delete Main;
}

TEST_F(TrayIcon, MouseMoveAndWhichButtonOpensTheMenu) {
    TForm Form(nullptr);
    Form.Show();
    TMenuItem *Plain = nullptr, *Main = nullptr;
    TPopupMenu* Menu = MenuWithDefault(Form, Plain, Main);
    int MainClicks = 0, Popups = 0, Doubles = 0, Moves = 0;
    Main->OnClick = [&](TObject*) { ++MainClicks; };
    auto* T = new TdkTrayIcon(&Form);
    T->SetPopupMenu(Menu);
    T->OnPopupMenu = [&](TObject*) { ++Popups; };
    T->OnDblClick = [&](TObject*) { ++Doubles; };
    TPoint Cursor;
    GetCursorPos(Cursor);
    T->OnMouseMove = [&](TObject* Sender, TShiftState, int X, int Y) {
        EXPECT_EQ(Sender, T);
        EXPECT_EQ(X, Cursor.X);
        EXPECT_EQ(Y, Cursor.Y);
        ++Moves;
    };
    Callback(T, WM_MOUSEMOVE);
    EXPECT_EQ(Moves, 1);
    Callback(T, WM_LBUTTONUP);
    EXPECT_EQ(Popups, 0); // the left button opens nothing by default
    Callback(T, WM_RBUTTONUP);
    EXPECT_EQ(Popups, 1);
    T->SetPopupByLeft(true);
    Callback(T, WM_LBUTTONUP);
    EXPECT_EQ(Popups, 2);
    // With the menu on the left button a double-click chooses no default item.
    Callback(T, WM_LBUTTONDBLCLK);
    EXPECT_EQ(MainClicks, 0);
    EXPECT_EQ(Doubles, 1);
}

TEST_F(TrayIcon, MinimizeOnStartGoesToTheTrayWhenLoaded) {
    TForm* Main = nullptr;
    Application->CreateForm(Main);
    Main->Show();
    Main->BeginLoading();
    auto* Plain = new TdkTrayIcon(Main);
    auto* T = new TdkTrayIcon(Main);
    int Minimized = 0;
    Plain->OnMinimize = [&](TObject*) { ++Minimized; };
    T->OnMinimize = [&](TObject*) { ++Minimized; };
    T->SetMinimizeOnStart(true);
    Main->EndLoading();
    EXPECT_EQ(Minimized, 1);
    EXPECT_FALSE(Main->Visible());
    EXPECT_TRUE(T->Visible());
    EXPECT_FALSE(Plain->Visible());
    delete Main;
}
