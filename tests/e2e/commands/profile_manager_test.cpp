// The profile manager opened from the main window's profile button, one
// running copy for the group: its three rows, a tick and OK making a profile
// active and writing the registry's list, OK with nothing ticked, Add, Load,
// Delete, a ticked file row loaded into the keyboard, and the question about
// edits the main window has not applied.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "commands_fixture.h"
#include "harness/harness.h"
#include "harness/shown_copy.h"
#include "profiles/profile_reader.h"
#include "sub_dialog_driver.h"

namespace kv::e2e {
namespace {

using namespace ids;

constexpr auto kStep = 30s;

class ProfileManager : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        DeleteRegistryProfileValues();
        copy_ = new ShownCopy(kEnglish);
    }
    static void TearDownTestSuite() {
        delete copy_;
        copy_ = nullptr;
        DeleteRegistryProfileValues();
    }

    void SetUp() override {
        ASSERT_TRUE(copy_->Ready()) << copy_->Problem();
        main_ = copy_->Main();
        pid_ = copy_->Process().pid;
        pipe_ = copy_->Copy().SimPipe();
        ASSERT_TRUE(SimOk(pipe_, "fault clear"));
        ASSERT_TRUE(WaitForPending(main_, false)) << "changes left pending by the check before";
    }
    void TearDown() override {
        // A check that failed half-way leaves no dialog for the next one.
        if (HWND open = FindProfileManager(pid_)) {
            PostMessageW(open, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            WaitFor([&] { return FindProfileManager(pid_) == nullptr; }, kStep);
        }
    }

    // Opens the manager with the window's profile button; its list, or null.
    HWND Open() {
        if (!Click(main_, kProfileManager)) return nullptr;
        if (!WaitFor([&] { return (dialog_ = FindProfileManager(pid_)) != nullptr; }, kStep)) return nullptr;
        HWND list = GetDlgItem(dialog_, kManagerList);
        // Filled once the dialog is up: wait for the three rows of the keyboard.
        WaitFor([&] { return ListRows(list).value_or(std::vector<ListRow>{}).size() >= 3; }, kStep);
        return list;
    }
    bool PressAndWaitClosed(int id) {
        return Click(dialog_, id) && WaitFor([&] { return FindProfileManager(pid_) == nullptr; }, kStep * 2);
    }
    size_t RowCount(HWND list) { return ListRows(list).value_or(std::vector<ListRow>{}).size(); }
    std::string Writes() { return SimStatusLine(pipe_, "writes"); }
    std::string Exchanges() { return SimStatusLine(pipe_, "config-exchanges"); }
    std::wstring UserFolder() { return std::filesystem::path(WorkingProfileFile()).parent_path().wstring(); }
    std::vector<uint8_t> KeyMap(int profile) {
        return SimArea(pipe_, "keymaps", profile * kKeyMapBytes, kKeyMapBytes)
            .value_or(std::vector<uint8_t>{});
    }

    static inline ShownCopy* copy_ = nullptr;
    HWND main_ = nullptr;
    HWND dialog_ = nullptr;
    DWORD pid_ = 0;
    std::wstring pipe_;
};

TEST_F(ProfileManager, AListsTheThreeProfilesWithTheActiveOneTicked) {
    const int active = SimActiveProfile(pipe_);
    ASSERT_GE(active, 0);
    HWND list = Open();
    ASSERT_TRUE(list) << "the profile button opened no manager";
    const std::optional<std::vector<ListRow>> rows = ListRows(list);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 3u);
    for (const ListRow& row : *rows) {
        ASSERT_EQ(row.size(), 3u);
        EXPECT_EQ(row[1], L"$Profile0");
    }
    EXPECT_EQ(TickedRows(list), std::vector<int>{active});
    EXPECT_FALSE(IsEnabled(dialog_, kManagerApply)) << "nothing changed yet";
    ASSERT_TRUE(PressAndWaitClosed(IDCANCEL));
}

TEST_F(ProfileManager, BTickingAnotherRowAndOkMakesItActiveAndWritesTheList) {
    const int target = (SimActiveProfile(pipe_) + 2) % 3;
    HWND list = Open();
    ASSERT_TRUE(list);
    ASSERT_TRUE(ClickTick(list, target));
    EXPECT_TRUE(WaitFor([&] { return TickedRows(list) == std::vector<int>{target}; }, kStep))
        << "ticking a row leaves the others ticked";
    EXPECT_TRUE(WaitFor([&] { return IsEnabled(dialog_, kManagerApply); }, kStep));
    ASSERT_TRUE(PressAndWaitClosed(IDOK));
    EXPECT_TRUE(WaitFor([&] { return SimActiveProfile(pipe_) == target; }, kStep));
    const std::wstring working = UserFolder() + L"\\$Profile0.kvp";
    EXPECT_EQ(RegistryProfileValue(0), L"3");
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(RegistryProfileValue(n), working) << n;
    EXPECT_FALSE(RegistryProfileValue(4));
    EXPECT_TRUE(IsChecked(main_, kProfile[target]).value_or(false)) << "the window kept its old profile";
}

// Nothing to make active: no settings block is written, the working set is read again.
TEST_F(ProfileManager, COkWithNoRowTickedOnlyReloads) {
    HWND list = Open();
    ASSERT_TRUE(list);
    const int active = SimActiveProfile(pipe_);
    ASSERT_TRUE(ClickTick(list, active));
    ASSERT_TRUE(WaitFor([&] { return TickedRows(list).empty(); }, kStep));
    const std::string writes = Writes();
    const std::string exchanges = Exchanges();
    ASSERT_TRUE(PressAndWaitClosed(IDOK));
    EXPECT_TRUE(WaitFor([&] { return Exchanges() != exchanges; }, kStep)) << "no reload";
    ASSERT_TRUE(WaitUntilIdle(main_, pid_));
    EXPECT_EQ(Writes(), writes);
    EXPECT_EQ(SimActiveProfile(pipe_), active);
}

// Add writes a default profile and lists it; Load lists a file without
// reading it; Delete drops a row and keeps its file; each is kept by OK.
TEST_F(ProfileManager, DAddLoadAndDelete) {
    const std::wstring folder = copy_->Copy().Folder();
    const std::wstring added = folder + L"added.kvp";
    const std::wstring loaded = folder + L"not a profile.kvp";
    {
        std::ofstream out(std::filesystem::path(loaded), std::ios::binary);
        out << "this is not read until it is applied";
    }
    HWND list = Open();
    ASSERT_TRUE(list);
    ASSERT_TRUE(Click(dialog_, kManagerAdd));
    ASSERT_TRUE(ChooseInFileDialog(pid_, added, kStep));
    ASSERT_TRUE(WaitFor([&] { return RowCount(list) == 4; }, kStep)) << "Add appended no row";
    EXPECT_EQ(profiles::ValidateProfileFile(added), profiles::ProfileStatus::kValid)
        << "Add wrote no valid profile";
    ListRow row = ListRows(list)->back();
    EXPECT_EQ(row[1], L"added");
    EXPECT_TRUE(IsEnabled(dialog_, kManagerApply));

    ASSERT_TRUE(Click(dialog_, kManagerLoad));
    ASSERT_TRUE(ChooseInFileDialog(pid_, loaded, kStep));
    ASSERT_TRUE(WaitFor([&] { return RowCount(list) == 5; }, kStep)) << "Load appended no row";
    EXPECT_EQ(ListRows(list)->back()[1], L"not a profile");
    EXPECT_EQ(FindMessageBox(pid_, EnglishText(L"PROFILE_FORMAT_ERROR")), nullptr);

    ASSERT_TRUE(SelectRow(list, 4));
    ASSERT_TRUE(Click(dialog_, kManagerDelete));
    ASSERT_TRUE(WaitFor([&] { return RowCount(list) == 4; }, kStep)) << "Delete removed no row";
    EXPECT_TRUE(FileExists(loaded)) << "Delete removed the file";
    ASSERT_TRUE(PressAndWaitClosed(IDOK));
    EXPECT_EQ(RegistryProfileValue(0), L"4");
    EXPECT_EQ(RegistryProfileValue(4), added);
    EXPECT_FALSE(RegistryProfileValue(5));
}

// The whole file goes into the keyboard: every profile's key map and the macro area.
TEST_F(ProfileManager, ETickedFileRowLoadsTheFileIntoTheKeyboard) {
    const std::wstring file = copy_->Copy().Folder() + L"to load.kvp";
    ASSERT_TRUE(WriteRestoreFixture(file));
    const std::vector<uint8_t> matrix =
        SimArea(pipe_, "matrix", 0, kKeyMapBytes).value_or(std::vector<uint8_t>{});
    ASSERT_EQ(matrix.size(), kKeyMapBytes);
    HWND list = Open();
    ASSERT_TRUE(list);
    ASSERT_TRUE(Click(dialog_, kManagerLoad));
    ASSERT_TRUE(ChooseInFileDialog(pid_, file, kStep));
    const size_t rows = RowCount(list);
    ASSERT_TRUE(WaitFor([&] { return RowCount(list) == rows && rows >= 4; }, kStep));
    const int last = static_cast<int>(rows) - 1;
    ASSERT_TRUE(ClickTick(list, last));
    ASSERT_TRUE(WaitFor([&] { return TickedRows(list) == std::vector<int>{last}; }, kStep));
    ASSERT_TRUE(PressAndWaitClosed(IDOK));
    for (int p = 0; p < kProfiles; ++p)
        EXPECT_TRUE(WaitFor([&] { return KeyMap(p) == FixtureKeyMap(matrix, p); }, kStep)) << "profile " << p;
    EXPECT_EQ(SimArea(pipe_, "macro", 0, FixtureMacroArea().size()), FixtureMacroArea());
    ASSERT_TRUE(WaitUntilIdle(main_, pid_));
    EXPECT_FALSE(IsEnabled(main_, kApply));
}

// Edits not applied yet in the main window: OK asks; No drops them and goes on.
TEST_F(ProfileManager, FOkWithPendingChangesAsksFirst) {
    ASSERT_TRUE(SimOk(pipe_, "fault status FF 100000"));
    ASSERT_TRUE(Click(main_, kDefault));
    ASSERT_TRUE(AnswerMessageBox(pid_, EnglishText(L"MAIN_PROMPT_DEFAULT"), IDYES, kStep));
    ASSERT_TRUE(WaitForPending(main_, true));
    ASSERT_TRUE(WaitUntilIdle(main_, pid_));
    ASSERT_TRUE(SimOk(pipe_, "fault clear"));
    ASSERT_TRUE(IsEnabled(main_, kApply)) << "nothing pending";

    const int target = (SimActiveProfile(pipe_) + 1) % 3;
    HWND list = Open();
    ASSERT_TRUE(list);
    ASSERT_TRUE(ClickTick(list, target));
    ASSERT_TRUE(WaitFor([&] { return TickedRows(list) == std::vector<int>{target}; }, kStep));
    const std::string writes = Writes();
    ASSERT_TRUE(Click(dialog_, IDOK));
    ASSERT_TRUE(AnswerMessageBox(pid_, EnglishText(L"PROFILE_SELECT_PROMPT"), IDNO, kStep))
        << "OK did not ask";
    ASSERT_TRUE(WaitFor([&] { return FindProfileManager(pid_) == nullptr; }, kStep * 2));
    EXPECT_TRUE(WaitFor([&] { return SimActiveProfile(pipe_) == target; }, kStep));
    EXPECT_TRUE(WaitForPending(main_, false)) << "No kept the dropped edits pending";
}

}  // namespace
}  // namespace kv::e2e
