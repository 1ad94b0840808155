// The profile buttons: each writes the keyboard's active profile and checks
// itself; with changes pending it asks first, Yes applies them, No discards
// them, and an Apply that fails leaves the keyboard, the buttons and the
// changes as they were.
#include <gtest/gtest.h>

#include "keyboard_copy.h"

namespace kv::e2e {
namespace {

using namespace ids;

constexpr int kKeyMapSize = 512;

std::wstring T(const wchar_t* key) { return EnglishText(key); }

class ProfileButtons : public ::testing::Test {
  protected:
    // Profile 0: A acts as B. Profile 1: A is disabled. Profile 2 as it left the factory.
    static void SetUpTestSuite() {
        copy_ = new KeyboardCopy([](const KeyMapPokes& keys) {
            position_a_ = keys.PositionOfKey(0x01E);
            return std::vector<std::string>{keys.Key(0, 0x01E, "02 02 05"), keys.Key(1, 0x01E, "00 00 00")};
        });
    }
    static void TearDownTestSuite() {
        delete copy_;
        copy_ = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(copy_->Ready()) << copy_->Problem();
        ASSERT_GE(position_a_, 0);
    }

    static HWND Main() { return copy_->Main(); }
    static std::string Active() { return copy_->Status("active-profile"); }
    // A's entry in a profile's key map on the keyboard.
    static std::vector<uint8_t> EntryOfA(int profile) {
        const std::vector<uint8_t> maps = copy_->Area("keymaps");
        const size_t at = static_cast<size_t>(profile * kKeyMapSize + position_a_ * 3);
        if (maps.size() < at + 3) return {};
        return {maps.begin() + static_cast<std::ptrdiff_t>(at),
                maps.begin() + static_cast<std::ptrdiff_t>(at + 3)};
    }
    static bool ProfileShown(int profile) {
        for (int i = 0; i < 3; ++i)
            if (IsChecked(Main(), kProfile[i]) != (i == profile)) return false;
        return true;
    }
    static void Select(int profile) {
        ASSERT_TRUE(Click(Main(), kProfile[profile]));
        ASSERT_TRUE(
            WaitFor([&] { return Active() == std::to_string(profile) && ProfileShown(profile); }, 10s))
            << "active profile " << Active();
    }
    // Changes pending in the active profile: Default resets the keys in the
    // working set, and its Apply fails while the keyboard refuses every write.
    static void MakePending() {
        ASSERT_TRUE(copy_->Sim("fault status FF 100000"));
        ASSERT_TRUE(Click(Main(), kDefault));
        ASSERT_TRUE(AnswerMessageBox(copy_->Pid(), T(L"MAIN_PROMPT_DEFAULT"), IDYES, 10s));
        ASSERT_TRUE(WaitFor([] { return IsEnabled(Main(), kApply); }, 20s)) << "nothing pending";
        // The window answers while it writes, so wait for the busy indicator
        // to come and go: only then has the refused Apply ended.
        const HWND busy = GetDlgItem(Main(), kBusyIndicator);
        ASSERT_TRUE(WaitFor([&] { return HasVisibleStyle(busy); }, 10s)) << "Default did not apply";
        ASSERT_TRUE(WaitFor([&] { return !HasVisibleStyle(busy); }, 20s)) << "the Apply did not end";
        ASSERT_TRUE(IsEnabled(Main(), kApply)) << "the refused Apply left nothing pending";
    }

    static KeyboardCopy* copy_;
    static int position_a_;
};
KeyboardCopy* ProfileButtons::copy_ = nullptr;
int ProfileButtons::position_a_ = -1;

TEST_F(ProfileButtons, EachWritesTheActiveProfileAndShowsItsKeys) {
    ASSERT_EQ(Active(), "0");
    EXPECT_TRUE(ProfileShown(0));
    const std::wstring a = T(L"IDS_KEYBOARD_A");
    EXPECT_EQ(TooltipOf(GetDlgItem(Main(), kKeyA)).value_or(L""),
              a + T(L"KEY_PROMPT_SET") + T(L"KEY_PROMPT_SINGLE") + T(L"IDS_KEYBOARD_B") + L")");
    Select(1);
    EXPECT_TRUE(
        WaitFor([&] { return TooltipOf(GetDlgItem(Main(), kKeyA)) == a + T(L"KEY_PROMPT_SET"); }, 10s))
        << "profile 2 disables A";
    Select(2);
    EXPECT_TRUE(WaitFor([&] { return TooltipOf(GetDlgItem(Main(), kKeyA)) == a; }, 10s));
    EXPECT_EQ(IsChecked(Main(), kKeyA), false);
    // The profile already active: nothing is written.
    const std::string writes = copy_->Status("writes");
    ASSERT_TRUE(Click(Main(), kProfile[2]));
    ASSERT_TRUE(Responds(Main()));
    EXPECT_EQ(copy_->Status("writes"), writes);
    Select(0);
}

TEST_F(ProfileButtons, WhenApplyFailsTheSwitchDoesNotHappen) {
    Select(0);
    MakePending();
    ASSERT_TRUE(Click(Main(), kProfile[1]));  // the keyboard still refuses every write
    ASSERT_TRUE(AnswerMessageBox(copy_->Pid(), T(L"PROFILE_SELECT_PROMPT"), IDYES, 10s));
    ASSERT_TRUE(Responds(Main()));
    EXPECT_EQ(Active(), "0");
    EXPECT_TRUE(WaitFor([] { return ProfileShown(0); }, 10s)) << "the buttons stay with profile 1";
    EXPECT_TRUE(IsEnabled(Main(), kApply)) << "the changes are still pending";
    EXPECT_EQ(EntryOfA(0), (std::vector<uint8_t>{0x02, 0x02, 0x05})) << "nothing reached the keyboard";
    ASSERT_TRUE(copy_->Sim("fault clear"));
}

TEST_F(ProfileButtons, YesAppliesThePendingChangesFirst) {
    Select(0);
    if (!IsEnabled(Main(), kApply)) MakePending();
    ASSERT_TRUE(copy_->Sim("fault clear"));
    ASSERT_TRUE(Click(Main(), kProfile[2]));
    ASSERT_TRUE(AnswerMessageBox(copy_->Pid(), T(L"PROFILE_SELECT_PROMPT"), IDYES, 10s));
    EXPECT_TRUE(WaitFor([] { return Active() == "2" && ProfileShown(2); }, 10s)) << Active();
    EXPECT_FALSE(IsEnabled(Main(), kApply));
    EXPECT_EQ(EntryOfA(0), (std::vector<uint8_t>{0x02, 0x02, 0x04})) << "A of profile 1 is A again";
}

TEST_F(ProfileButtons, NoSwitchesWithoutWritingTheChanges) {
    Select(1);
    MakePending();
    ASSERT_TRUE(copy_->Sim("fault clear"));
    ASSERT_TRUE(Click(Main(), kProfile[0]));
    ASSERT_TRUE(AnswerMessageBox(copy_->Pid(), T(L"PROFILE_SELECT_PROMPT"), IDNO, 10s));
    EXPECT_TRUE(WaitFor([] { return Active() == "0" && ProfileShown(0); }, 10s)) << Active();
    EXPECT_FALSE(IsEnabled(Main(), kApply)) << "nothing is pending any more";
    EXPECT_EQ(EntryOfA(1), (std::vector<uint8_t>{0x00, 0x00, 0x00})) << "profile 2 keeps A disabled";
}

}  // namespace
}  // namespace kv::e2e
