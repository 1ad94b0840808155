// The profile manager against the simulated keyboard: what it lists, what
// Apply and OK send and reload, Add, Load and Delete, a ticked file row, the
// question about unapplied edits, and a dialog closed from outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "model/assign/assignment_store.h"
#include "profiles/profile_reader.h"
#include "profiles/profile_writer.h"
#include "profiles/working_profile.h"
#include "tests/native/sync/keyboard_contents.h"
#include "tests/win/profile_dialogs/dialog_rig.h"
#include "ui/dialogs/profiles/profile_dlg.h"
#include "ui/dialogs/profiles/profile_dlg_ids.h"

namespace kv::ui::test {
namespace {

namespace fs = std::filesystem;
using model::test::kKeyA;
using model::test::kKeyB;
using model::test::kPosA;
using model::test::kPosB;

constexpr uint8_t kWriteSettings = device::kCmdWriteSettings;
constexpr uint8_t kReadKeyMap = device::kCmdReadKeyMap;

bool Contains(const std::vector<uint8_t>& sent, uint8_t command) {
    return std::find(sent.begin(), sent.end(), command) != sent.end();
}

std::vector<uint8_t> KeyMap(const DialogRig& rig, int profile) {
    const std::vector<uint8_t> all = rig.sim.AreaBytes(sim::Area::kKeyMaps);
    return {all.begin() + profile * 512, all.begin() + (profile + 1) * 512};
}

class ProfileDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { rig.ReadKeyboard(); }

    INT_PTR Run(const std::function<void(HWND dialog, HWND list)>& body) {
        return RunOpen(dialog, [&](HWND d) { body(d, GetDlgItem(d, IDC_PROFILE_LIST)); });
    }
    std::wstring FolderColumn() const { return rig.userFolder.wstring() + L"\\"; }
    uint8_t KeyboardActiveProfile() const { return rig.sim.Memory().ActiveProfile(); }

    DialogRig rig;
    CKelvarin_DlgProfile dialog{rig, rig.paths};
};

TEST_F(ProfileDialogTest, ListsTheThreeProfilesWithTheKeyboardsActiveOneTicked) {
    for (uint8_t active : {0, 1, 2}) {
        rig.SetKeyboardActiveProfile(active);
        Run([&](HWND d, HWND list) {
            const std::array<std::wstring, 3> row{L"", L"$Profile0", FolderColumn()};
            EXPECT_EQ(ListRows(list), (std::vector<std::array<std::wstring, 3>>{row, row, row}))
                << int{active};
            EXPECT_EQ(TickedRows(list), std::vector<int>{active});
            EXPECT_FALSE(Enabled(d, IDC_PROFILE_APPLY)) << "nothing changed yet";
            EXPECT_FALSE(dialog.HasUnappliedChanges());
        });
    }
    // Without a keyboard there is no active profile to tick.
    rig.sim.Unplug();
    rig.sim.WaitIdle();
    rig.commands.ResetActiveProfileCache();
    Run([&](HWND, HWND list) {
        EXPECT_EQ(ListRows(list).size(), 3u);
        EXPECT_TRUE(TickedRows(list).empty());
    });
}

TEST_F(ProfileDialogTest, TickingAnotherRowAndOkMakesItActive) {
    rig.SetKeyboardActiveProfile(1);
    const INT_PTR result = Run([&](HWND d, HWND list) {
        ClickTick(list, 2);
        EXPECT_EQ(TickedRows(list), std::vector<int>{2});
        EXPECT_TRUE(Enabled(d, IDC_PROFILE_APPLY));
        EXPECT_TRUE(dialog.HasUnappliedChanges());
        rig.ClearTraffic();
        Click(d, IDOK);
        EXPECT_FALSE(dialog.IsOpen());
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(KeyboardActiveProfile(), 2);
    EXPECT_EQ(rig.Calls(), (std::vector<std::string>{"set-active 2", "reload", "menu"}));
    EXPECT_TRUE(Contains(rig.CommandsSent(), kReadKeyMap)) << "the working set is read back";
    const std::wstring path = FolderColumn() + L"$Profile0.kvp";
    EXPECT_EQ(rig.RegistryValue(L"PROFILE00"), L"3");
    for (const wchar_t* name : {L"PROFILE01", L"PROFILE02", L"PROFILE03"})
        EXPECT_EQ(rig.RegistryValue(name), path) << name;
}

TEST_F(ProfileDialogTest, ApplyKeepsTheDialogOpenAndDisablesItself) {
    rig.SetKeyboardActiveProfile(0);
    Run([&](HWND d, HWND list) {
        ClickTick(list, 1);
        Click(d, IDC_PROFILE_APPLY);
        EXPECT_TRUE(dialog.IsOpen());
        EXPECT_FALSE(Enabled(d, IDC_PROFILE_APPLY));
        EXPECT_EQ(KeyboardActiveProfile(), 1);
    });
}

TEST_F(ProfileDialogTest, WithNoRowTickedOkSendsNoSettingsButReloads) {
    rig.SetKeyboardActiveProfile(1);
    Run([&](HWND d, HWND list) {
        ClickTick(list, 1);  // the tick comes off: no row is ticked
        EXPECT_TRUE(TickedRows(list).empty());
        EXPECT_TRUE(Enabled(d, IDC_PROFILE_APPLY));
        rig.ClearTraffic();
        Click(d, IDOK);
    });
    EXPECT_FALSE(Contains(rig.CommandsSent(), kWriteSettings));
    EXPECT_TRUE(Contains(rig.CommandsSent(), kReadKeyMap));
    EXPECT_EQ(rig.Calls(), (std::vector<std::string>{"reload", "menu"}));
    EXPECT_EQ(KeyboardActiveProfile(), 1);
}

TEST_F(ProfileDialogTest, OkWithoutAnyChangeStillWritesTheListAndReloads) {
    rig.SetKeyboardActiveProfile(0);
    EXPECT_EQ(Run([&](HWND d, HWND) { Click(d, IDOK); }), IDOK);
    EXPECT_EQ(rig.Calls(), (std::vector<std::string>{"set-active 0", "reload", "menu"}));
    EXPECT_EQ(rig.RegistryValue(L"PROFILE00"), L"3");
}

TEST_F(ProfileDialogTest, CancelChangesNothing) {
    rig.SetKeyboardActiveProfile(0);
    EXPECT_EQ(Run([&](HWND d, HWND list) {
                  ClickTick(list, 2);
                  rig.ClearTraffic();
                  Click(d, IDCANCEL);
              }),
              IDCANCEL);
    EXPECT_TRUE(rig.CommandsSent().empty());
    EXPECT_TRUE(rig.Calls().empty());
    EXPECT_FALSE(rig.RegistryValue(L"PROFILE00").has_value());
    EXPECT_FALSE(dialog.HasUnappliedChanges()) << "a closed dialog holds nothing";
}

TEST_F(ProfileDialogTest, AddWritesAValidDefaultFileAndAppendsItsRow) {
    const fs::path chosen = rig.userFolder / L"Racing.kvp";
    rig.choose = [&](FileDialogKind) { return chosen.wstring(); };
    Run([&](HWND d, HWND list) {
        Click(d, IDC_PROFILE_ADD);
        ASSERT_EQ(ListRows(list).size(), 4u);
        EXPECT_EQ(ListRows(list)[3], (std::array<std::wstring, 3>{L"", L"Racing", FolderColumn()}));
        EXPECT_TRUE(Enabled(d, IDC_PROFILE_APPLY));
    });
    ASSERT_EQ(rig.fileDialogs.size(), 1u);
    const FileAsked& asked = rig.fileDialogs[0];
    EXPECT_EQ(asked.kind, FileDialogKind::kSave);
    EXPECT_EQ(asked.spec.filter, L"(*.kvp)|*.kvp|(*.*)|*.*||");
    EXPECT_EQ(asked.spec.default_extension, L"kvp");
    EXPECT_EQ(asked.spec.initial_name, (rig.userFolder / L"New").wstring());
    EXPECT_TRUE(asked.spec.overwrite_prompt);

    ASSERT_EQ(profiles::ValidateProfileFile(chosen), profiles::ProfileStatus::kValid);
    model::ConfigSet loaded;
    ASSERT_EQ(profiles::LoadProfileFile(chosen, loaded), profiles::ProfileStatus::kValid);
    EXPECT_EQ(loaded.macros.Count(), 0);
    const model::AssignmentBlockPtr fresh = model::NewAssignmentBlock();
    EXPECT_TRUE(
        std::equal(std::begin(fresh->entries), std::end(fresh->entries), std::begin(loaded.block->entries)));
}

TEST_F(ProfileDialogTest, AddThatCannotWriteSaysSoAndAddsNoRow) {
    // A read-only file stands where the new file should go; a missing folder cannot take one at all.
    const fs::path readOnly = rig.userFolder / L"Locked.kvp";
    std::ofstream(readOnly) << "kept";
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    struct Case {
        const char* name;
        fs::path path;
    };
    const Case cases[] = {
        {"read-only file", readOnly},
        {"missing folder", rig.Scratch() / L"gone" / L"x.kvp"},
    };
    for (const Case& c : cases) {
        rig.boxes.clear();
        rig.choose = [&](FileDialogKind) { return c.path.wstring(); };
        Run([&](HWND d, HWND list) {
            Click(d, IDC_PROFILE_ADD);
            EXPECT_EQ(ListRows(list).size(), 3u) << c.name;
            EXPECT_FALSE(Enabled(d, IDC_PROFILE_APPLY)) << c.name;
        });
        ASSERT_EQ(rig.boxes.size(), 1u) << c.name;
        EXPECT_EQ(rig.boxes[0].text, L"The profile file " + c.path.wstring() +
                                         L" could not be written. Choose another folder or name.")
            << c.name;
        EXPECT_EQ(rig.boxes[0].flags, static_cast<UINT>(MB_OK)) << c.name;
    }
    std::ifstream kept(readOnly);
    std::string text;
    kept >> text;
    EXPECT_EQ(text, "kept") << "the file that was there is untouched";
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(rig.userFolder)) ++files;
    EXPECT_EQ(files, 2u) << "no temporary file is left beside $Profile0 and Locked.kvp";
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);  // the scratch folder can go
}

TEST_F(ProfileDialogTest, LoadAppendsARowWithoutReadingTheFile) {
    const fs::path chosen = rig.Scratch() / L"Elsewhere" / L"never written.bin";
    rig.choose = [&](FileDialogKind) { return chosen.wstring(); };
    Run([&](HWND d, HWND list) {
        Click(d, IDC_PROFILE_LOAD);
        ASSERT_EQ(ListRows(list).size(), 4u);
        EXPECT_EQ(ListRows(list)[3][1], L"never written");
        EXPECT_EQ(ListRows(list)[3][2], chosen.parent_path().wstring() + L"\\");
        EXPECT_TRUE(Enabled(d, IDC_PROFILE_APPLY));
    });
    ASSERT_EQ(rig.fileDialogs.size(), 1u);
    EXPECT_EQ(rig.fileDialogs[0].kind, FileDialogKind::kOpen);
    EXPECT_EQ(rig.fileDialogs[0].spec.initial_name, (rig.userFolder / L"*.kvp").wstring());
    EXPECT_EQ(rig.fileDialogs[0].spec.default_extension, L"kvp");
    EXPECT_FALSE(fs::exists(chosen));
}

TEST_F(ProfileDialogTest, DeleteRemovesTheSelectedRowAndKeepsTheFile) {
    const fs::path chosen = rig.userFolder / L"Office.kvp";
    rig.choose = [&](FileDialogKind) { return chosen.wstring(); };
    Run([&](HWND d, HWND list) {
        Click(d, IDC_PROFILE_ADD);
        Click(d, IDC_PROFILE_APPLY);
        ASSERT_FALSE(Enabled(d, IDC_PROFILE_APPLY));
        ClickRow(list, 3);
        Click(d, IDC_PROFILE_DELETE);
        EXPECT_EQ(ListRows(list).size(), 3u);
        EXPECT_TRUE(Enabled(d, IDC_PROFILE_APPLY));
        // The last row went: the new last row is selected.
        EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
    });
    EXPECT_TRUE(fs::is_regular_file(chosen));
}

TEST_F(ProfileDialogTest, RowsKeepTheirProfileWhenAnEarlierRowIsRemoved) {
    rig.SetKeyboardActiveProfile(0);
    Run([&](HWND d, HWND list) {
        ClickRow(list, 0);
        Click(d, IDC_PROFILE_DELETE);
        ClickTick(list, 1);  // the row of profile 2, now second
        Click(d, IDOK);
    });
    EXPECT_EQ(KeyboardActiveProfile(), 2);
}

// A file whose three profiles and macro area the keyboard does not hold yet.
fs::path WriteDistinctProfileFile(const fs::path& path) {
    model::ConfigSet set;
    set.block = model::NewAssignmentBlock();
    model::WriteAssignment(*set.block, 0, model::KeyIndexOf(kKeyA), {model::kKindKey, 0, kKeyB, 0, 0});
    model::WriteAssignment(*set.block, 1, model::KeyIndexOf(kKeyB), {model::kKindKey, 0, kKeyA, 0, 0});
    model::WriteAssignment(*set.block, 2, model::KeyIndexOf(kKeyA), {model::kKindMacro, 1, 1, 0, 0});
    model::test::InstallMacroAb(set.macros);
    EXPECT_TRUE(profiles::SaveProfileFile(path, set));
    return path;
}

TEST_F(ProfileDialogTest, ATickedFileRowLoadsTheWholeFileIntoTheKeyboard) {
    rig.SetKeyboardActiveProfile(1);
    const fs::path file = WriteDistinctProfileFile(rig.Scratch() / L"Tournament.kvp");
    rig.choose = [&](FileDialogKind) { return file.wstring(); };
    Run([&](HWND d, HWND list) {
        Click(d, IDC_PROFILE_LOAD);
        ClickTick(list, 3);
        EXPECT_EQ(TickedRows(list), std::vector<int>{3});
        rig.ClearTraffic();
        Click(d, IDOK);
        EXPECT_FALSE(dialog.IsOpen());
    });
    EXPECT_EQ(rig.Calls(), (std::vector<std::string>{"restore Tournament.kvp", "reload", "menu"}));
    using model::test::FactoryKeyMapWith;
    EXPECT_EQ(KeyMap(rig, 0), FactoryKeyMapWith({{kPosA, {0x02, 0x02, 0x05}}}));
    EXPECT_EQ(KeyMap(rig, 1), FactoryKeyMapWith({{kPosB, {0x02, 0x02, 0x04}}}));
    EXPECT_EQ(KeyMap(rig, 2), FactoryKeyMapWith({{kPosA, {0x05, 0x01, 0x00}}}));
    const std::vector<uint8_t> area = rig.sim.AreaBytes(sim::Area::kMacro);
    const std::vector<uint8_t> ab = model::test::MacroAreaAb();
    EXPECT_TRUE(std::equal(ab.begin(), ab.end(), area.begin()));
    // Never an active profile the keyboard does not have: the byte stays as it was.
    EXPECT_FALSE(Contains(rig.CommandsSent(), kWriteSettings));
    EXPECT_EQ(KeyboardActiveProfile(), 1);
}

TEST_F(ProfileDialogTest, AnInvalidTickedFileKeepsTheDialogAndItsChanges) {
    const fs::path file = rig.Scratch() / L"Broken.kvp";
    std::ofstream(file, std::ios::binary) << "not a profile";
    rig.choose = [&](FileDialogKind) { return file.wstring(); };
    Run([&](HWND d, HWND list) {
        Click(d, IDC_PROFILE_LOAD);
        ClickTick(list, 3);
        rig.ClearTraffic();
        Click(d, IDOK);
        EXPECT_TRUE(dialog.IsOpen());
        EXPECT_TRUE(Enabled(d, IDC_PROFILE_APPLY));
    });
    EXPECT_EQ(rig.roles.messages, std::vector<std::u16string>{u"The profile file could not be restored."});
    EXPECT_TRUE(rig.CommandsSent().empty()) << "nothing reaches the keyboard, nothing is read back";
    EXPECT_EQ(rig.Calls(), std::vector<std::string>{"restore Broken.kvp"});
}

TEST_F(ProfileDialogTest, OkWithPendingChangesAsksFirst) {
    const std::wstring question = L"You have changes that are not applied yet. Apply them before switching?";
    struct Case {
        const char* name;
        int answer;
        std::vector<std::string> calls;
        bool closed;
    };
    const Case cases[] = {
        {"yes applies, then switches", IDYES, {"apply", "set-active 2", "reload", "menu"}, true},
        {"no discards them with the reload", IDNO, {"set-active 2", "reload", "menu"}, true},
    };
    for (const Case& c : cases) {
        rig.SetKeyboardActiveProfile(0);
        rig.ClearCalls();
        rig.boxes.clear();
        rig.roles.pending = true;
        rig.answer = [&](const std::wstring&, UINT) { return c.answer; };
        const INT_PTR result = Run([&](HWND d, HWND list) {
            ClickTick(list, 2);
            Click(d, IDOK);
        });
        EXPECT_EQ(result == IDOK, c.closed) << c.name;
        ASSERT_EQ(rig.boxes.size(), 1u) << c.name;
        EXPECT_EQ(rig.boxes[0].text, question) << c.name;
        EXPECT_EQ(rig.boxes[0].flags, static_cast<UINT>(MB_YESNO | MB_DEFBUTTON2)) << c.name;
        EXPECT_EQ(rig.Calls(), c.calls) << c.name;
        EXPECT_FALSE(rig.roles.pending) << c.name;
    }
}

TEST_F(ProfileDialogTest, AFailedApplyOfPendingChangesStopsTheSwitch) {
    rig.SetKeyboardActiveProfile(0);
    fs::remove(profiles::WorkingProfilePath(rig.userFolder));  // Apply cannot save: the edits stay pending
    rig.roles.pending = true;
    rig.answer = [](const std::wstring&, UINT) { return IDYES; };
    Run([&](HWND d, HWND list) {
        ClickTick(list, 2);
        Click(d, IDOK);
        EXPECT_TRUE(dialog.IsOpen());
        EXPECT_TRUE(Enabled(d, IDC_PROFILE_APPLY));
    });
    EXPECT_EQ(rig.Calls(), std::vector<std::string>{"apply"});
    EXPECT_EQ(KeyboardActiveProfile(), 0);
    EXPECT_TRUE(rig.roles.pending) << "the edits are still there to apply";
}

TEST_F(ProfileDialogTest, AKeyboardThatRefusesTheSwitchIsReported) {
    rig.SetKeyboardActiveProfile(0);
    Run([&](HWND d, HWND list) {
        ClickTick(list, 1);
        rig.sim.Unplug();
        rig.sim.WaitIdle();
        Click(d, IDOK);
        EXPECT_TRUE(dialog.IsOpen());
        EXPECT_TRUE(Enabled(d, IDC_PROFILE_APPLY));
    });
    ASSERT_EQ(rig.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes[0].text,
              L"The keyboard settings could not be written. Check the connection and try again.");
    EXPECT_EQ(rig.boxes[0].flags, static_cast<UINT>(MB_OK | MB_TOPMOST));
    EXPECT_EQ(rig.Calls(), std::vector<std::string>{"set-active 1"});
}

TEST_F(ProfileDialogTest, ADialogClosedFromOutsideTouchesNothingMore) {
    // The keyboard goes (or the program ends) while the question or a file dialog is up.
    rig.roles.pending = true;
    rig.answer = [&](const std::wstring&, UINT) {
        dialog.CloseIfOpen();
        return 0;
    };
    EXPECT_EQ(Run([&](HWND d, HWND list) {
                  ClickTick(list, 2);
                  Click(d, IDOK);
              }),
              IDCANCEL);
    EXPECT_TRUE(rig.Calls().empty());
    EXPECT_FALSE(rig.RegistryValue(L"PROFILE00").has_value());

    const fs::path chosen = rig.userFolder / L"Late.kvp";
    rig.choose = [&](FileDialogKind) {
        dialog.CloseIfOpen();
        return chosen.wstring();
    };
    Run([&](HWND d, HWND) { Click(d, IDC_PROFILE_ADD); });
    EXPECT_FALSE(fs::exists(chosen));
}

TEST_F(ProfileDialogTest, ASwitchFromTheMainWindowTicksItsRowAndLeavesNothingToApply) {
    rig.SetKeyboardActiveProfile(0);
    Run([&](HWND d, HWND list) {
        ClickTick(list, 1);
        EXPECT_TRUE(dialog.HasUnappliedChanges());
        dialog.ActiveProfileSwitched(2);
        EXPECT_EQ(TickedRows(list), std::vector<int>{2});
        EXPECT_FALSE(dialog.HasUnappliedChanges());
        EXPECT_FALSE(Enabled(d, IDC_PROFILE_APPLY));
        dialog.ActiveProfileSwitched(7);  // no such row: no row stays ticked
        EXPECT_TRUE(TickedRows(list).empty());
    });
    dialog.ActiveProfileSwitched(1);  // closed: nothing to do
    EXPECT_FALSE(dialog.HasUnappliedChanges());
}

TEST_F(ProfileDialogTest, HelpGoesToTheMainWindow) {
    Run([&](HWND d, HWND) {
        HELPINFO help{};
        help.cbSize = sizeof(help);
        SendMessageW(d, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    });
    EXPECT_EQ(rig.Calls(), std::vector<std::string>{"help"});
}

TEST_F(ProfileDialogTest, ReopeningBuildsTheListAnew) {
    rig.choose = [&](FileDialogKind) { return (rig.userFolder / L"Once.kvp").wstring(); };
    Run([&](HWND d, HWND) { Click(d, IDC_PROFILE_ADD); });
    Run([&](HWND d, HWND list) {
        EXPECT_EQ(ListRows(list).size(), 3u);
        EXPECT_FALSE(Enabled(d, IDC_PROFILE_APPLY));
    });
}

TEST(ProfileListTexts, RowsShowNameAndFolder) {
    struct Case {
        const wchar_t* path;
        const wchar_t* name;
        const wchar_t* folder;
        const wchar_t* registry;
    };
    const Case cases[] = {
        {L"C:\\Users\\a\\QX5307\\$Profile0", L"$Profile0", L"C:\\Users\\a\\QX5307\\",
         L"C:\\Users\\a\\QX5307\\$Profile0.kvp"},
        {L"D:\\games\\fps.v2.kvp", L"fps.v2", L"D:\\games\\", L"D:\\games\\fps.v2.kvp"},
        {L"C:\\.kvp", L".kvp", L"C:\\", L"C:\\.kvp.kvp"},
        {L"plain", L"plain", L"", L"plain.kvp"},
    };
    for (const Case& c : cases) {
        const ProfileRowTexts texts = RowTextsOf(c.path);
        EXPECT_EQ(texts.name, c.name) << c.path;
        EXPECT_EQ(texts.folder, c.folder) << c.path;
        EXPECT_EQ(RegistryPathOf(texts), c.registry) << c.path;
    }
}

}  // namespace
}  // namespace kv::ui::test
