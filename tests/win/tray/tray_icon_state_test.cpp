#include "app/tray/tray_icon_state.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace kv::app {
namespace {

using S = TrayIconState;

struct Step {
    int mode;
    int icon_id;
    std::optional<int> loaded;  // icon loaded by this step, if any
    int presence;               // presence icon afterwards
};

TEST(TrayIconState, BusyIconReturnsToThePresenceIcon) {
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"attach then busy then done",
         {{0, S::kAttached, S::kAttached, S::kAttached},
          {1, 0, S::kBusy, S::kAttached},
          {0, 0, S::kAttached, S::kAttached}}},
        {"busy without keyboard returns to no-keyboard icon",
         {{1, 0, S::kBusy, S::kNoKeyboard}, {0, 0, S::kNoKeyboard, S::kNoKeyboard}}},
        {"showing the shown icon loads nothing",
         {{0, S::kNoKeyboard, std::nullopt, S::kNoKeyboard},
          {0, 0, std::nullopt, S::kNoKeyboard},
          {1, 0, S::kBusy, S::kNoKeyboard},
          {1, 0, std::nullopt, S::kNoKeyboard}}},
        {"keyboard read while busy changes the presence icon",
         {{1, 0, S::kBusy, S::kNoKeyboard},
          {0, S::kAttached, S::kAttached, S::kAttached},
          {1, 0, S::kBusy, S::kAttached},
          {0, S::kNoKeyboard, S::kNoKeyboard, S::kNoKeyboard},
          {0, 0, std::nullopt, S::kNoKeyboard}}},
        {"busy mode ignores the id", {{1, S::kAttached, S::kBusy, S::kNoKeyboard}}},
    };
    for (const Case& c : cases) {
        S state;
        state.SetShown(S::kNoKeyboard);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            EXPECT_EQ(state.Choose(step.mode, step.icon_id), step.loaded) << c.name << ", step " << i;
            EXPECT_EQ(state.Presence(), step.presence) << c.name << ", step " << i;
        }
    }
}

TEST(TrayIconState, TheKeyboardsStateChoosesTheIcon) {
    S state;
    state.SetShown(S::kNoKeyboard);
    EXPECT_EQ(state.ShowBusy(true), S::kBusy);
    EXPECT_EQ(state.ShowBusy(false), S::kNoKeyboard);
    EXPECT_EQ(state.ShowPresence(true), S::kAttached);
    EXPECT_EQ(state.ShowBusy(true), S::kBusy);
    EXPECT_EQ(state.ShowBusy(true), std::nullopt);
    EXPECT_EQ(state.ShowBusy(false), S::kAttached);
    EXPECT_EQ(state.ShowPresence(false), S::kNoKeyboard);
    EXPECT_EQ(state.Presence(), S::kNoKeyboard);
}

TEST(TrayIconState, AfterRemovalTheNextIconIsLoadedAgain) {
    S state;
    state.SetShown(S::kAttached);
    EXPECT_EQ(state.Choose(0, S::kAttached), std::nullopt);
    state.SetShown(0);
    EXPECT_EQ(state.Choose(0, S::kAttached), S::kAttached);
}

}  // namespace
}  // namespace kv::app
