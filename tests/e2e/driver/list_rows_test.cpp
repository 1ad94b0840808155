// The harness reads the rows of another process's list view.
#include <gtest/gtest.h>

#include "harness/harness.h"

namespace kv::e2e {
namespace {

constexpr int kFixtureListId = 4001;

TEST(ListRows, ReadsEveryCellOfAnotherProcessesList) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring exe = StageFolder() + L"fixture_list_window.exe";
    ASSERT_TRUE(
        CreateProcessW(exe.c_str(), exe.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (window = FindWindowWithControls(pi.dwProcessId, {kFixtureListId})) != nullptr; }, 30s));
    const HWND list = GetDlgItem(window, kFixtureListId);
    std::optional<std::vector<ListRow>> rows;
    EXPECT_TRUE(WaitFor([&] { return (rows = ListRows(list)) && rows->size() == 2; }, 10s));
    ASSERT_TRUE(rows.has_value());
    const std::vector<ListRow> expected = {{L"", L"Gaming", L"C:\\Profiles\\"},
                                           {L"\u2713", L"\u6E38\u620F", L"D:\\\u914D\u7F6E\\"}};
    EXPECT_EQ(*rows, expected);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
    CloseHandle(pi.hProcess);
}

}  // namespace
}  // namespace kv::e2e
