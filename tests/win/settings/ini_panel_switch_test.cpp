#include "app/settings/ini_panel_switch.h"

#include <gtest/gtest.h>

#include "scratch.h"

namespace kv::app {
namespace {

std::wstring Stored(const std::wstring& file) {
    wchar_t value[32] = {};
    GetPrivateProfileStringW(L"KEYCOLOR", L"DengCheck", L"<none>", value, 32, file.c_str());
    return value;
}

TEST(IniPanelSwitch, FollowsDengCheckOfTheSettingsFile) {
    testing::ScratchFolder folder;
    const std::wstring file = folder.path() + L"wskb.ini";
    IniPanelSwitch store([&] { return file; });
    EXPECT_FALSE(store.ReadPanelSwitch()) << "a missing value reads as off";

    struct Case {
        const wchar_t* stored;
        bool on;
    };
    // Only 1 is on: other numbers, text and an empty value are off.
    for (const Case& c : {Case{L"1", true}, Case{L"0", false}, Case{L"2", false}, Case{L"", false},
                          Case{L"on", false}, Case{L" 1", true}}) {
        ASSERT_TRUE(WritePrivateProfileStringW(L"KEYCOLOR", L"DengCheck", c.stored, file.c_str()));
        EXPECT_EQ(store.ReadPanelSwitch(), c.on) << c.stored;
    }

    store.WritePanelSwitch(true);
    EXPECT_EQ(Stored(file), L"1");
    EXPECT_TRUE(store.ReadPanelSwitch());
    store.WritePanelSwitch(false);
    EXPECT_EQ(Stored(file), L"0");
    EXPECT_FALSE(store.ReadPanelSwitch());
}

TEST(IniPanelSwitch, UnknownSettingsFileReadsOffAndWritesNothing) {
    // Before the main window has named the per-user file, nothing may land in
    // a file of the current folder or the system's folder.
    IniPanelSwitch store([] { return std::wstring(); });
    EXPECT_FALSE(store.ReadPanelSwitch());
    store.WritePanelSwitch(true);
    EXPECT_FALSE(store.ReadPanelSwitch());
}

}  // namespace
}  // namespace kv::app
