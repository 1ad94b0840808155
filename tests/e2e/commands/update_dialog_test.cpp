// The firmware update dialog opened from the backup/restore menu, one running
// copy for the group: Backup to a read-only file and to another, Start
// without a runnable file sends nothing, a file the shell cannot run is
// reported and forgotten, and a real stand-in program is started after the
// automatic backup; the keyboard leaves the bus, and once it is back the
// window says where the backup is, which Restore brings back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/settings/language_texts.h"
#include "commands_fixture.h"
#include "harness/harness.h"
#include "harness/shown_copy.h"
#include "model/keys/text_format.h"
#include "sub_dialog_driver.h"

namespace kv::e2e {
namespace {

using namespace ids;
namespace fs = std::filesystem;

constexpr auto kStep = 30s;
constexpr int kMenuFirmwareUpdate = 4;  // below Restore, Backup and the JSON pair

class FirmwareUpdate : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // The per-user folder outlives the copies: backups of earlier runs would count.
        for (const fs::path& backup : AutoBackups()) fs::remove(backup);
        copy_ = new ShownCopy(kEnglish);
    }
    static void TearDownTestSuite() {
        delete copy_;
        copy_ = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(copy_->Ready()) << copy_->Problem();
        main_ = copy_->Main();
        pid_ = copy_->Process().pid;
        pipe_ = copy_->Copy().SimPipe();
        ASSERT_TRUE(SimOk(pipe_, "fault clear"));
    }
    void TearDown() override {
        if (HWND open = FindUpdateDialog(pid_)) {
            PostMessageW(open, WM_COMMAND, MAKEWPARAM(kUpdateCancel, BN_CLICKED), 0);
            WaitFor([&] { return FindUpdateDialog(pid_) == nullptr; }, kStep);
        }
    }

    // Through the menu, as the user would.
    bool Open() {
        return IsWindowVisible(main_) && ChooseBackupMenuItem(main_, pid_, kMenuFirmwareUpdate) &&
               WaitFor([&] { return (dialog_ = FindUpdateDialog(pid_)) != nullptr; }, kStep);
    }
    // Open's file dialog, answered with the path.
    bool Choose(const std::wstring& path) {
        return Click(dialog_, kUpdateOpen) && ChooseInFileDialog(pid_, path, kStep) &&
               WaitFor([&] { return TextOf(dialog_, kUpdatePath) == path; }, kStep);
    }
    // Start answered by the message of that key; the dialog stays.
    void StartIsRefused(const wchar_t* key) {
        const std::string writes = Writes();
        const std::string status = SimStatusLine(pipe_, "reports");
        ASSERT_TRUE(Click(dialog_, kUpdateStart));
        ASSERT_TRUE(AnswerMessageBox(pid_, EnglishText(key), IDOK, kStep))
            << "no message " << fs::path(key).string();
        EXPECT_EQ(Writes(), writes);
        EXPECT_EQ(SimStatusLine(pipe_, "update-mode"), "update-mode no");
        EXPECT_TRUE(FindUpdateDialog(pid_)) << "the dialog closed";
    }
    std::string Writes() { return SimStatusLine(pipe_, "writes"); }
    static std::wstring BackupNotice(const fs::path& backup) {
        return app::ToWide(
            model::FormatWithString(app::ToU16(EnglishText(L"UPDATE_BACKUP_WHERE")), backup.u16string()));
    }
    std::wstring Folder() { return copy_->Copy().Folder(); }
    static fs::path UserFolder() { return fs::path(WorkingProfileFile()).parent_path(); }
    static std::vector<fs::path> AutoBackups() {
        std::vector<fs::path> found;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(UserFolder(), error))
            if (entry.path().filename().wstring().rfind(L"Before update ", 0) == 0)
                found.push_back(entry.path());
        return found;
    }

    static inline ShownCopy* copy_ = nullptr;
    HWND main_ = nullptr;
    HWND dialog_ = nullptr;
    DWORD pid_ = 0;
    std::wstring pipe_;
};

// Backup says whether it saved: a read-only file stays as it was, another
// file gets the working set.
TEST_F(FirmwareUpdate, ABackupSaysWhetherItSaved) {
    ASSERT_TRUE(Open()) << "menu item 32780 opened no dialog";
    const std::wstring locked = Folder() + L"locked.kvp";
    {
        std::ofstream out(fs::path(locked), std::ios::binary | std::ios::trunc);
        out << "kept";
    }
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(Click(dialog_, kUpdateBackup));
    ASSERT_TRUE(ReplaceInFileDialog(pid_, locked, kStep));
    EXPECT_TRUE(AnswerMessageBox(pid_, EnglishText(L"UPDATE_BACKUP_FAILED"), IDOK, kStep))
        << "no word that the backup failed";
    EXPECT_EQ(ReadWholeFile(locked), (std::vector<uint8_t>{'k', 'e', 'p', 't'}));
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove(locked);

    const std::wstring saved = Folder() + L"saved.kvp";
    fs::remove(saved);
    ASSERT_TRUE(Click(dialog_, kUpdateBackup));
    ASSERT_TRUE(ChooseInFileDialog(pid_, saved, kStep));
    EXPECT_TRUE(AnswerMessageBox(pid_, EnglishText(L"UPDATE_BACKUP_OK"), IDOK, kStep));
    EXPECT_EQ(ReadWholeFile(saved), ReadWholeFile(WorkingProfileFile()));
    EXPECT_TRUE(FindUpdateDialog(pid_)) << "the dialog closed";
    EXPECT_TRUE(AutoBackups().empty()) << "Backup is not the automatic backup";
}

// No file, a file deleted after it was chosen, a folder where it was: the
// same message, and nothing reaches the keyboard.
TEST_F(FirmwareUpdate, AWithoutARunnableFileNothingIsSent) {
    ASSERT_TRUE(Open()) << "menu item 32780 opened no dialog";
    EXPECT_TRUE(TextOf(dialog_, kUpdatePath).empty());
    StartIsRefused(L"UPDATE_CHOOSE_FILE");

    const std::wstring program = Folder() + L"gone.exe";
    fs::copy_file(StageFolder() + L"update_marker.exe", program, fs::copy_options::overwrite_existing);
    ASSERT_TRUE(Choose(program));
    ASSERT_TRUE(fs::remove(program));
    StartIsRefused(L"UPDATE_CHOOSE_FILE");

    fs::create_directory(program);
    StartIsRefused(L"UPDATE_CHOOSE_FILE");
    fs::remove(program);
    EXPECT_TRUE(AutoBackups().empty()) << "a refused start made a backup";
}

// The shell refuses it after the keyboard went into update mode; the path is forgotten.
TEST_F(FirmwareUpdate, BAProgramTheShellCannotRunIsReportedAndForgotten) {
    const std::wstring program = Folder() + L"not a program.exe";
    {
        std::ofstream out(fs::path(program), std::ios::binary);
        out << "plain text, not a program";
    }
    ASSERT_TRUE(Open());
    ASSERT_TRUE(Choose(program));
    ASSERT_TRUE(Click(dialog_, kUpdateStart));
    ASSERT_TRUE(AnswerMessageBox(pid_, EnglishText(L"UPDATE_CANNOT_RUN"), IDOK, kStep * 2));
    EXPECT_TRUE(WaitFor([&] { return TextOf(dialog_, kUpdatePath).empty(); }, kStep)) << "the path stayed";
    // The keyboard leaves the bus: the dialog closes with it.
    EXPECT_TRUE(WaitFor([&] { return FindUpdateDialog(pid_) == nullptr; }, kStep));
    // The keyboard went into update mode for it: bring it back for the next check.
    const std::vector<fs::path> backups = AutoBackups();
    ASSERT_EQ(backups.size(), 1u);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main_); }, kStep));
    ASSERT_TRUE(SimOk(pipe_, "plug"));
    EXPECT_TRUE(AnswerMessageBox(pid_, BackupNotice(backups[0]), IDOK, kStep * 2));
    fs::remove(backups[0]);
    const std::wstring no_device = EnglishText(L"MAIN_NO_DEVICE_PROMPT");
    ASSERT_TRUE(WaitFor(
        [&] {
            if (IsWindowVisible(main_)) return true;
            if (FindMessageBox(pid_, no_device)) AnswerMessageBox(pid_, no_device, IDOK, kStep);
            PostMessageW(main_, kMsgShow, kCodeOpen, 0);
            return WaitFor([&] { return IsWindowVisible(main_) != FALSE; }, 2s);
        },
        kStep * 2));
}

// The real thing: backup, update mode, the program runs; the keyboard leaves
// and returns, the window names the backup, and the backup restores.
TEST_F(FirmwareUpdate, CTheProgramRunsAfterTheBackupAndTheBackupRestores) {
    const std::wstring program = Folder() + L"update_marker.exe";
    const std::wstring marker = program + L".ran";
    fs::copy_file(StageFolder() + L"update_marker.exe", program, fs::copy_options::overwrite_existing);
    ASSERT_TRUE(Open());
    ASSERT_TRUE(Choose(program));
    ASSERT_TRUE(Click(dialog_, kUpdateStart));
    EXPECT_TRUE(WaitFor([&] { return FileExists(marker); }, kStep * 2)) << "the program did not run";
    EXPECT_TRUE(WaitFor([&] { return FindUpdateDialog(pid_) == nullptr; }, kStep)) << "the dialog stayed";
    EXPECT_EQ(SimStatusLine(pipe_, "update-mode"), "update-mode yes");
    const std::vector<fs::path> backups = AutoBackups();
    ASSERT_EQ(backups.size(), 1u) << "no automatic backup";
    EXPECT_EQ(ReadWholeFile(backups[0].wstring()), ReadWholeFile(WorkingProfileFile()))
        << "the backup is not the working set";
    // The keyboard drops off the bus in update mode.
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main_); }, kStep))
        << "the window stayed without a keyboard";

    // Back after the update: once, the window says where the backup is.
    ASSERT_TRUE(SimOk(pipe_, "plug"));
    const std::wstring notice = app::ToWide(
        model::FormatWithString(app::ToU16(EnglishText(L"UPDATE_BACKUP_WHERE")), backups[0].u16string()));
    EXPECT_TRUE(AnswerMessageBox(pid_, notice, IDOK, kStep * 2)) << "no word of the backup";

    // The backup restores: a changed key map is put back by Restore.
    const std::wstring no_device = EnglishText(L"MAIN_NO_DEVICE_PROMPT");
    ASSERT_TRUE(WaitFor(
        [&] {
            if (IsWindowVisible(main_)) return true;
            if (FindMessageBox(pid_, no_device)) AnswerMessageBox(pid_, no_device, IDOK, kStep);
            PostMessageW(main_, kMsgShow, kCodeOpen, 0);
            return WaitFor([&] { return IsWindowVisible(main_) != FALSE; }, 2s);
        },
        kStep * 2));
    const std::vector<uint8_t> before =
        SimArea(pipe_, "keymaps", 0, kKeyMapBytes).value_or(std::vector<uint8_t>{});
    const std::wstring other = Folder() + L"other.kvp";
    ASSERT_TRUE(WriteRestoreFixture(other));
    ASSERT_TRUE(RestoreThroughMenu(main_, pid_, other));
    ASSERT_TRUE(WaitFor([&] { return SimArea(pipe_, "keymaps", 0, kKeyMapBytes) != before; }, kStep));
    ASSERT_TRUE(WaitUntilIdle(main_, pid_));
    ASSERT_TRUE(RestoreThroughMenu(main_, pid_, backups[0].wstring()));
    EXPECT_TRUE(WaitFor([&] { return SimArea(pipe_, "keymaps", 0, kKeyMapBytes) == before; }, kStep))
        << "the backup did not restore";
    EXPECT_EQ(FindMessageBox(pid_, notice), nullptr) << "the notice came twice";
}

}  // namespace
}  // namespace kv::e2e
