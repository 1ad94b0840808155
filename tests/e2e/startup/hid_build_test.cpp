// The program and kvhid with the hid build of HidServ.dll, under Wine, where
// no keyboard is attached.
#include <gtest/gtest.h>

#include "harness/harness.h"

namespace kv::e2e {
namespace {

using namespace ids;

const std::wstring kHidBuild = L"hid\\HidServ.dll";

struct ConsoleRun {
    std::optional<DWORD> exit_code;
    std::string output;
};

// Runs a console program of the stage folder and collects what it prints.
ConsoleRun RunConsole(const std::wstring& arguments,
                      const std::vector<std::pair<const wchar_t*, const wchar_t*>>& env = {}) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read_end = nullptr, write_end = nullptr;
    if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return {};
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
    for (const auto& [name, value] : env) SetEnvironmentVariableW(name, value);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = write_end;
    si.hStdError = write_end;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + StageFolder() + L"kvhid.exe\" " + arguments;
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        StageFolder().c_str(), &si, &pi);
    for (const auto& [name, value] : env) SetEnvironmentVariableW(name, nullptr);
    CloseHandle(write_end);
    ConsoleRun run;
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) && got > 0)
            run.output.append(buffer, got);
        run.exit_code = WaitForExit(Child{pi.hProcess, pi.dwProcessId}, 60s);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(read_end);
    return run;
}

// One copy serves the group: it starts into the tray, prompts on Open, and
// ends with "/Kill".
TEST(HidBuild, StartsIntoTheTrayPromptsForTheKeyboardAndEndsOnKill) {
    ChooseEnglish();
    ProgramCopy copy(kHidBuild);
    const Child first = copy.Launch(L"");
    const HWND main = WaitUntilReady(first.pid, 60s);
    ASSERT_NE(main, nullptr) << "the program did not reach the tray with the hid library";
    EXPECT_FALSE(IsWindowVisible(main));

    PostMessageW(main, WM_COMMAND, kTrayOpen, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (box = FindMessageBox(first.pid, EnglishText(L"MAIN_NO_DEVICE_PROMPT"))) != nullptr; },
        30s));
    EXPECT_FALSE(IsWindowVisible(main));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }, 10s));
    EXPECT_FALSE(IsWindowVisible(main));

    const Child killer = copy.Launch(L"/Kill");
    const auto killer_code = WaitForExit(killer, 60s);
    ASSERT_TRUE(killer_code.has_value());
    EXPECT_EQ(*killer_code, 0u);
    const auto code = WaitForExit(first, 60s);
    ASSERT_TRUE(code.has_value()) << "the copy did not end on /Kill";
    EXPECT_EQ(*code, 0u);
}

TEST(Kvhid, ListFindsNoKeyboardAndSucceeds) {
    const ConsoleRun run = RunConsole(L"list");
    ASSERT_TRUE(run.exit_code.has_value());
    EXPECT_EQ(*run.exit_code, 0u) << run.output;
    EXPECT_EQ(run.output.rfind("No HID interface of vendor 0C45", 0), 0u) << run.output;
}

TEST(Kvhid, PingThroughTheHidBuildReportsTheMissingKeyboard) {
    const ConsoleRun run = RunConsole(L"ping --library " + kHidBuild);
    ASSERT_TRUE(run.exit_code.has_value());
    EXPECT_EQ(*run.exit_code, 1u) << run.output;
    EXPECT_NE(run.output.find("keyboards on the vendor channel: 0"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("no keyboard attached"), std::string::npos) << run.output;
}

TEST(Kvhid, PingThroughTheSimulatedKeyboardPrintsTheReply) {
    const ConsoleRun run = RunConsole(L"ping", {{L"KELVARIN_SIM_STATE", L"none"},
                                                {L"KELVARIN_SIM_PIPE", L"\\\\.\\pipe\\kv_e2e_kvhid_ping"}});
    ASSERT_TRUE(run.exit_code.has_value());
    EXPECT_EQ(*run.exit_code, 0u) << run.output;
    EXPECT_NE(run.output.find("settings block read: reply received"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("0000: 04 "), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("active profile 1, macro area"), std::string::npos) << run.output;
}

TEST(Kvhid, RefusesAnUnknownCommand) {
    const ConsoleRun run = RunConsole(L"flash");
    ASSERT_TRUE(run.exit_code.has_value());
    EXPECT_EQ(*run.exit_code, 2u);
    EXPECT_NE(run.output.find("usage: kvhid list"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace kv::e2e
