// The firmware update dialog against the simulated keyboard: nothing is sent
// without a program to run; a real stand-in program is started after the
// automatic backup; Backup, Open and Cancel.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "profiles/profile_reader.h"
#include "profiles/working_profile.h"
#include "tests/native/sync/keyboard_contents.h"
#include "tests/win/profile_dialogs/dialog_rig.h"
#include "ui/dialogs/update/update_dlg.h"
#include "ui/dialogs/update/update_dlg_ids.h"
#include "ui/dialogs/update/update_file.h"

namespace kv::ui::test {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kChooseFile[] = L"Choose a correct update file.";
constexpr wchar_t kCannotRun[] = L"The update file cannot be run.";
constexpr wchar_t kNoBootMode[] = L"The keyboard cannot enter update mode.";
constexpr wchar_t kBackupOk[] = L"Backup succeeded.";
constexpr wchar_t kBackupFailed[] = L"The backup failed. Please back up again.";
constexpr wchar_t kAutoBackupFailed[] =
    L"Your key settings and macros could not be saved before the update. Update anyway?";

std::vector<fs::path> AutomaticBackups(const fs::path& folder) {
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::wstring name = entry.path().filename().wstring();
        if (name.rfind(L"Before update ", 0) == 0 && entry.path().extension() == L".kvp")
            found.push_back(entry.path());
    }
    return found;
}

std::wstring ReadMarker(const fs::path& marker) {
    std::ifstream in(marker, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

class UpdateDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        model::test::LoadKeyboard(rig.sim);  // a configuration worth keeping across the update
        rig.ReadKeyboard();
        rig.ClearTraffic();
    }
    void TearDown() override { SetCurrentDirectoryW(StageFolder().c_str()); }

    INT_PTR Run(const std::function<void(HWND dialog)>& body) { return RunOpen(dialog, body); }
    // The stand-in update program, copied into the package folder.
    fs::path InstallUpdater(const wchar_t* name = L"Firmware.exe") {
        const fs::path target = rig.packageFolder / name;
        fs::copy_file(fs::path(StageFolder()) / L"update_marker.exe", target,
                      fs::copy_options::overwrite_existing);
        return target;
    }
    void ChooseProgram(const fs::path& program) {
        rig.choose = [program](FileDialogKind) { return program.wstring(); };
    }
    std::vector<std::wstring> BoxTexts() const {
        std::vector<std::wstring> texts;
        for (const BoxShown& box : rig.boxes) texts.push_back(box.text);
        return texts;
    }

    DialogRig rig;
    CKelvarin_DlgUpdate dialog{rig, rig.paths};
};

TEST_F(UpdateDialogTest, WithoutARunnableFileNothingIsSent) {
    const fs::path deleted = InstallUpdater(L"Deleted.exe");
    fs::remove(deleted);
    const fs::path folder = rig.packageFolder / L"Folder.exe";
    fs::create_directories(folder);
    const fs::path notExe = rig.packageFolder / L"readme.txt";
    std::ofstream(notExe) << "text";
    struct Case {
        const char* name;
        std::optional<fs::path> chosen;
    };
    const Case cases[] = {
        {"no file chosen", std::nullopt},
        {"a file deleted since it was chosen", deleted},
        {"a folder", folder},
        {"a file that is no program", notExe},
    };
    for (const Case& c : cases) {
        rig.boxes.clear();
        rig.choose = [&](FileDialogKind) -> std::optional<std::wstring> {
            if (!c.chosen) return std::nullopt;
            return c.chosen->wstring();
        };
        Run([&](HWND d) {
            Click(d, IDC_UPDATE_OPEN);
            Click(d, IDC_UPDATE_START);
            EXPECT_TRUE(dialog.IsOpen()) << c.name;
        });
        ASSERT_EQ(BoxTexts(), std::vector<std::wstring>{kChooseFile}) << c.name;
        EXPECT_EQ(rig.boxes[0].flags, static_cast<UINT>(MB_OK)) << c.name;
        EXPECT_TRUE(rig.CommandsSent().empty()) << c.name;
        EXPECT_TRUE(rig.sim.Plugged()) << c.name;
        EXPECT_TRUE(AutomaticBackups(rig.userFolder).empty()) << c.name;
    }
}

TEST_F(UpdateDialogTest, UpdateBacksUpSwitchesTheKeyboardAndStartsTheProgram) {
    const fs::path program = InstallUpdater();
    ChooseProgram(program);
    const INT_PTR result = Run([&](HWND d) {
        Click(d, IDC_UPDATE_OPEN);
        EXPECT_EQ(ControlText(d, IDC_UPDATE_PATH), program.wstring());
        Click(d, IDC_UPDATE_START);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(rig.boxes.empty());
    EXPECT_TRUE(dialog.UpdateProgramPath().empty());

    // The keyboard got the one update-mode report and left the bus.
    EXPECT_EQ(rig.CommandsSent(), std::vector<uint8_t>{device::kCmdEnterUpdateMode});
    EXPECT_TRUE(rig.sim.Status().update_mode);
    EXPECT_TRUE(WaitFor([&] { return rig.lastCount == 0; })) << "the keyboard never left";

    // The program ran, in the package folder.
    const fs::path marker = program.wstring() + L".ran";
    ASSERT_TRUE(WaitFor([&] { return fs::exists(marker) && !ReadMarker(marker).empty(); }));
    EXPECT_TRUE(fs::equivalent(fs::path(ReadMarker(marker)), rig.packageFolder));

    // The working set was saved first, and the main window knows where.
    const std::vector<fs::path> backups = AutomaticBackups(rig.userFolder);
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_TRUE(rig.updateModeNoted);
    EXPECT_EQ(rig.updateBackup, backups[0]);
    ASSERT_EQ(profiles::ValidateProfileFile(backups[0]), profiles::ProfileStatus::kValid);
    model::ConfigSet saved;
    ASSERT_EQ(profiles::LoadProfileFile(backups[0], saved), profiles::ProfileStatus::kValid);
    EXPECT_EQ(saved.macros.Count(), 1) << "the keyboard's macro is in the backup";
    std::lock_guard lock(rig.sets.WorkingConfigLock());
    const model::AssignmentBlock& working = *rig.sets.Working().block;
    EXPECT_TRUE(
        std::equal(std::begin(working.entries), std::end(working.entries), std::begin(saved.block->entries)));
}

TEST_F(UpdateDialogTest, TheAutomaticBackupRestoresAfterTheUpdate) {
    ChooseProgram(InstallUpdater());
    Run([&](HWND d) {
        Click(d, IDC_UPDATE_OPEN);
        Click(d, IDC_UPDATE_START);
    });
    const std::vector<fs::path> backups = AutomaticBackups(rig.userFolder);
    ASSERT_EQ(backups.size(), 1u);
    const std::vector<uint8_t> keyMapsBefore = rig.sim.AreaBytes(sim::Area::kKeyMaps);

    // The updated keyboard comes back with factory contents; Restore brings the configuration back.
    rig.sim.SetMemory(sim::KeyboardMemory::Factory());
    rig.sim.Plug();
    rig.sim.WaitIdle();
    ASSERT_NE(rig.sim.AreaBytes(sim::Area::kKeyMaps), keyMapsBefore);
    ASSERT_TRUE(rig.sync.RestoreFromFile(backups[0]));
    EXPECT_EQ(rig.sim.AreaBytes(sim::Area::kKeyMaps), keyMapsBefore);
    const std::vector<uint8_t> area = rig.sim.AreaBytes(sim::Area::kMacro);
    const std::vector<uint8_t> ab = model::test::MacroAreaAb();
    EXPECT_TRUE(std::equal(ab.begin(), ab.end(), area.begin()));
}

TEST_F(UpdateDialogTest, AProgramTheShellCannotRunIsReportedAndForgotten) {
    const fs::path broken = rig.packageFolder / L"Broken.exe";
    std::ofstream(broken) << "this is no program";
    ChooseProgram(broken);
    Run([&](HWND d) {
        Click(d, IDC_UPDATE_OPEN);
        Click(d, IDC_UPDATE_START);
        EXPECT_TRUE(dialog.IsOpen());
        EXPECT_EQ(ControlText(d, IDC_UPDATE_PATH), L"");
    });
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{kCannotRun});
    EXPECT_TRUE(dialog.UpdateProgramPath().empty());
    EXPECT_TRUE(rig.sim.Status().update_mode) << "the keyboard had been switched already";
}

TEST_F(UpdateDialogTest, AKeyboardThatRefusesUpdateModeIsReported) {
    ChooseProgram(InstallUpdater());
    rig.sim.Unplug();
    rig.sim.WaitIdle();
    Run([&](HWND d) {
        Click(d, IDC_UPDATE_OPEN);
        Click(d, IDC_UPDATE_START);
        EXPECT_TRUE(dialog.IsOpen());
    });
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{kNoBootMode});
    EXPECT_FALSE(rig.updateModeNoted);
    EXPECT_FALSE(dialog.UpdateProgramPath().empty()) << "nothing was started: the choice stays";
}

TEST_F(UpdateDialogTest, AFailedAutomaticBackupAsksBeforeGoingOn) {
    // A file where the per-user folder should be: nothing can be saved there.
    fs::remove_all(rig.userFolder);
    std::ofstream(rig.userFolder) << "in the way";
    struct Case {
        const char* name;
        int answer;
        bool switched;
    };
    const Case cases[] = {{"no stops", IDNO, false}, {"yes goes on", IDYES, true}};
    for (const Case& c : cases) {
        rig.boxes.clear();
        rig.ClearTraffic();
        rig.sim.Plug();
        rig.sim.WaitIdle();
        rig.answer = [&](const std::wstring& text, UINT) {
            return text == kAutoBackupFailed ? c.answer : IDOK;
        };
        ChooseProgram(InstallUpdater());
        Run([&](HWND d) {
            Click(d, IDC_UPDATE_OPEN);
            Click(d, IDC_UPDATE_START);
        });
        ASSERT_FALSE(rig.boxes.empty()) << c.name;
        EXPECT_EQ(rig.boxes[0].text, kAutoBackupFailed) << c.name;
        EXPECT_EQ(rig.boxes[0].flags, static_cast<UINT>(MB_YESNO | MB_DEFBUTTON2)) << c.name;
        EXPECT_EQ(rig.sim.Status().update_mode, c.switched) << c.name;
        EXPECT_EQ(!rig.CommandsSent().empty(), c.switched) << c.name;
    }
    EXPECT_TRUE(rig.updateBackup.empty()) << "the main window hears that there is no backup";
}

TEST_F(UpdateDialogTest, ClosedWhileAskingSendsNothing) {
    fs::remove_all(rig.userFolder);
    std::ofstream(rig.userFolder) << "in the way";
    rig.answer = [&](const std::wstring&, UINT) {
        dialog.CloseIfOpen();
        return IDYES;
    };
    ChooseProgram(InstallUpdater());
    Run([&](HWND d) {
        Click(d, IDC_UPDATE_OPEN);
        Click(d, IDC_UPDATE_START);
    });
    EXPECT_TRUE(rig.CommandsSent().empty());
    EXPECT_FALSE(rig.sim.Status().update_mode);
}

TEST_F(UpdateDialogTest, BackupSavesTheWorkingSetOrSaysItFailed) {
    const fs::path good = rig.Scratch() / L"Mine.kvp";
    const fs::path readOnly = rig.Scratch() / L"Locked.kvp";
    std::ofstream(readOnly) << "kept";
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    struct Case {
        const char* name;
        std::optional<fs::path> chosen;
        std::vector<std::wstring> boxes;
    };
    const Case cases[] = {
        {"a writable file", good, {kBackupOk}},
        {"a read-only file", readOnly, {kBackupFailed}},
        {"a missing folder", rig.Scratch() / L"gone" / L"x.kvp", {kBackupFailed}},
        {"cancelled", std::nullopt, {}},
    };
    for (const Case& c : cases) {
        rig.boxes.clear();
        rig.fileDialogs.clear();
        rig.choose = [&](FileDialogKind) -> std::optional<std::wstring> {
            if (!c.chosen) return std::nullopt;
            return c.chosen->wstring();
        };
        Run([&](HWND d) { Click(d, IDC_UPDATE_BACKUP); });
        EXPECT_EQ(BoxTexts(), c.boxes) << c.name;
        ASSERT_EQ(rig.fileDialogs.size(), 1u) << c.name;
        EXPECT_EQ(rig.fileDialogs[0].kind, FileDialogKind::kSave) << c.name;
        EXPECT_EQ(rig.fileDialogs[0].spec.initial_name, L"*.kvp") << c.name;
        EXPECT_EQ(rig.fileDialogs[0].spec.filter, L"(*.kvp)|*.kvp|(*.*)|*.*||") << c.name;
        EXPECT_TRUE(rig.fileDialogs[0].spec.overwrite_prompt) << c.name;
    }
    EXPECT_EQ(profiles::ValidateProfileFile(good), profiles::ProfileStatus::kValid);
    EXPECT_TRUE(rig.CommandsSent().empty()) << "a backup never talks to the keyboard";
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);  // the scratch folder can go
}

TEST_F(UpdateDialogTest, OpenOffersThePackageFolderAndTheChoiceOutlivesTheDialog) {
    const fs::path program = InstallUpdater();
    ChooseProgram(program);
    Run([&](HWND d) { Click(d, IDC_UPDATE_OPEN); });
    ASSERT_EQ(rig.fileDialogs.size(), 1u);
    const FileDialogSpec& spec = rig.fileDialogs[0].spec;
    EXPECT_EQ(rig.fileDialogs[0].kind, FileDialogKind::kOpen);
    EXPECT_EQ(spec.filter, L"MyType Files (*.exe)|*.exe||");
    EXPECT_EQ(spec.default_extension, L"exe");
    EXPECT_EQ(spec.initial_name, L"*.exe");
    EXPECT_EQ(spec.initial_folder, rig.packageFolder.wstring());
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_TRUE(fs::equivalent(fs::path(current), rig.packageFolder)) << "the program will start there";

    // Closed without Cancel, the choice is still there next time; Cancel forgets it.
    EXPECT_EQ(dialog.UpdateProgramPath(), program.wstring());
    Run([&](HWND d) {
        EXPECT_EQ(ControlText(d, IDC_UPDATE_PATH), program.wstring());
        Click(d, IDC_UPDATE_CANCEL);
        EXPECT_FALSE(dialog.IsOpen());
    });
    EXPECT_TRUE(dialog.UpdateProgramPath().empty());
    EXPECT_TRUE(rig.CommandsSent().empty());
}

TEST(UpdateFile, OnlyAnExistingExeFileMayRun) {
    const ScratchFolder folder;
    const fs::path exe = fs::path(folder.path()) / L"Tool.EXE";
    std::ofstream(exe) << "x";
    fs::create_directories(fs::path(folder.path()) / L"Dir.exe");
    struct Case {
        fs::path path;
        bool runnable;
    };
    const Case cases[] = {
        {exe, true},
        {fs::path(folder.path()) / L"Dir.exe", false},
        {fs::path(folder.path()) / L"Missing.exe", false},
        {fs::path(folder.path()) / L"Tool.EXE.txt", false},
        {L".exe", false},
        {L"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsRunnableUpdateFile(c.path.wstring()), c.runnable) << c.path;
}

TEST(UpdateFile, TheAutomaticBackupIsNamedByLocalTime) {
    SYSTEMTIME t{};
    t.wYear = 2026;
    t.wMonth = 3;
    t.wDay = 7;
    t.wHour = 9;
    t.wMinute = 5;
    t.wSecond = 2;
    EXPECT_EQ(AutoBackupName(t), L"Before update 2026-03-07 090502.kvp");
}

}  // namespace
}  // namespace kv::ui::test
