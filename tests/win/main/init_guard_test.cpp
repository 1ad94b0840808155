// The main window's initialisation never leaves a process without window or tray icon.
#include "ui/main/init_guard.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/kit/base_dialog.h"

namespace kv::ui {
namespace {

class InitGuard : public ::testing::Test {
  protected:
    void SetUp() override {
        CBaseDialog::SetFatalExit([this] { ++silent_ends_; });
    }
    void TearDown() override { CBaseDialog::SetFatalExit({}); }
    int silent_ends_ = 0;
};

TEST_F(InitGuard, AnythingThrownEndsTheProcessSilently) {
    const struct {
        const char* name;
        std::function<bool()> steps;
        bool answer;
        int silent_ends;
    } cases[] = {
        {"steps that finish", [] { return true; }, true, 0},
        {"steps that end the program themselves", [] { return false; }, false, 0},
        {"a standard exception", []() -> bool { throw std::runtime_error("no memory for the canvases"); },
         false, 1},
        {"anything else thrown", []() -> bool { throw 42; }, false, 1},
    };
    for (const auto& c : cases) {
        silent_ends_ = 0;
        EXPECT_EQ(RunInitialisation(c.steps), c.answer) << c.name;
        EXPECT_EQ(silent_ends_, c.silent_ends) << c.name;
    }
}

}  // namespace
}  // namespace kv::ui
