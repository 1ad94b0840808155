#include "app/tray/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv::app {
namespace {

TEST(ParseStartSwitches, ReadsSwitchesFromTheSecondArgumentInAnyCase) {
    struct Case {
        std::vector<std::wstring> args;
        bool kill;
        bool start;
    };
    const Case cases[] = {
        {{L"Kelvarin.exe"}, false, false},
        {{}, false, false},
        {{L"Kelvarin.exe", L"/Kill"}, true, false},
        {{L"Kelvarin.exe", L"/kill"}, true, false},
        {{L"Kelvarin.exe", L"/KILL"}, true, false},
        {{L"Kelvarin.exe", L"/Start"}, false, true},
        {{L"Kelvarin.exe", L"/sTaRt"}, false, true},
        {{L"Kelvarin.exe", L"other", L"/Start", L"/Kill"}, true, true},
        // The program name itself is never a switch.
        {{L"/Kill"}, false, false},
        {{L"/Start", L"x"}, false, false},
        // Near misses are ignored.
        {{L"Kelvarin.exe", L"-Kill", L"Kill", L"/Killer", L"/Start ", L"/"}, false, false},
    };
    for (const Case& c : cases) {
        const StartSwitches s = ParseStartSwitches(c.args);
        EXPECT_EQ(s.kill, c.kill) << c.args.size();
        EXPECT_EQ(s.start, c.start) << c.args.size();
    }
}

}  // namespace
}  // namespace kv::app
