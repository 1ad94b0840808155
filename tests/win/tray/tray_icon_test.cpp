// The tray icon against the shell: adding, hiding, removing and coming back
// after the taskbar has been re-created.
#include "app/tray/tray_icon.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace kv::app {
namespace {

constexpr UINT kId = 140;
constexpr UINT kCallback = 1725;

bool ShellHolds(HWND owner) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = kId;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

class TrayIconTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner_ =
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
        icon_ = LoadIconW(nullptr, IDI_APPLICATION);
    }
    void TearDown() override {
        tray_.Remove();
        DestroyWindow(owner_);
    }
    HWND owner_ = nullptr;
    HICON icon_ = nullptr;
    CTrayIcon tray_;
};

TEST_F(TrayIconTest, CreateAddsAndRemoveTakesAway) {
    ASSERT_TRUE(tray_.Create(owner_, kCallback, L"tip", icon_, kId));
    EXPECT_TRUE(tray_.Present());
    EXPECT_TRUE(ShellHolds(owner_));
    tray_.Remove();
    EXPECT_FALSE(tray_.Present());
    EXPECT_FALSE(ShellHolds(owner_)) << "icon left in the notification area";
}

TEST_F(TrayIconTest, CreateFailsWithoutAnOwnerWindow) {
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    EXPECT_FALSE(tray_.Create(gone, kCallback, L"tip", icon_, kId));
    EXPECT_FALSE(tray_.Present());
    tray_.SetIcon(32512);  // not present: nothing happens
    EXPECT_FALSE(ShellHolds(gone));
}

TEST_F(TrayIconTest, HideAndShowKeepItPresent) {
    ASSERT_TRUE(tray_.Create(owner_, kCallback, L"tip", icon_, kId));
    tray_.Hide();
    EXPECT_TRUE(tray_.Present());
    EXPECT_TRUE(tray_.Hidden());
    EXPECT_FALSE(ShellHolds(owner_));
    tray_.Show();
    EXPECT_FALSE(tray_.Hidden());
    EXPECT_TRUE(ShellHolds(owner_));
}

TEST_F(TrayIconTest, ComesBackWhenTheTaskbarIsRecreated) {
    ASSERT_TRUE(tray_.Create(owner_, kCallback, L"tip", icon_, kId));
    // A restarted taskbar has forgotten every icon.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner_;
    data.uID = kId;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
    SendMessageW(owner_, CTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(ShellHolds(owner_));
}

TEST_F(TrayIconTest, ARemovedIconStaysAwayWhenTheTaskbarIsRecreated) {
    ASSERT_TRUE(tray_.Create(owner_, kCallback, L"tip", icon_, kId));
    tray_.Remove();
    SendMessageW(owner_, CTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_FALSE(ShellHolds(owner_));
}

// At a logon start the taskbar may not exist yet and the shell refuses the
// icon; it must come once the taskbar announces itself, unless the program
// has taken it away meanwhile.
TEST_F(TrayIconTest, AnIconTheShellRefusedComesWithTheTaskbar) {
    const struct {
        const char* name;
        bool removed_before;
        bool expected;
    } cases[] = {{"refused, then the taskbar comes", false, true},
                 {"refused, removed, then the taskbar comes", true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // The shell holds an icon of this owner and id already, so it refuses the add.
        NOTIFYICONDATAW blocker{};
        blocker.cbSize = sizeof(blocker);
        blocker.hWnd = owner_;
        blocker.uID = kId;
        blocker.uFlags = NIF_ICON;
        blocker.hIcon = icon_;
        ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &blocker));
        EXPECT_FALSE(tray_.Create(owner_, kCallback, L"tip", icon_, kId));
        EXPECT_FALSE(tray_.Present());
        ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &blocker));  // a taskbar that comes up empty
        if (c.removed_before) tray_.Remove();

        SendMessageW(owner_, CTrayIcon::TaskbarCreatedMessage(), 0, 0);
        EXPECT_EQ(tray_.Present(), c.expected);
        EXPECT_EQ(ShellHolds(owner_), c.expected);
        tray_.Remove();
        EXPECT_FALSE(ShellHolds(owner_));
    }
}

TEST(FitTrayTip, CutsLongTipsWithoutSplittingACharacter) {
    struct Case {
        std::wstring tip;
        size_t length;
    };
    const std::wstring long_tip(300, L'x');
    std::wstring pair_at_edge(126, L'x');
    pair_at_edge += L"\xD83D\xDE00";  // one character in two units, at 127..128
    const Case cases[] = {
        {L"", 0},        {L"short", 5},       {std::wstring(127, L'y'), 127}, {std::wstring(128, L'y'), 127},
        {long_tip, 127}, {pair_at_edge, 126},
    };
    for (const Case& c : cases) {
        const std::wstring fitted = FitTrayTip(c.tip);
        EXPECT_EQ(fitted.size(), c.length);
        EXPECT_EQ(fitted, c.tip.substr(0, c.length));
    }
}

}  // namespace
}  // namespace kv::app
