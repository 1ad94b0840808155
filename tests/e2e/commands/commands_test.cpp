// The main window's commands against the simulated keyboard, one running copy
// for the whole group, in the order a user might go: keys that must do
// nothing, Cancel and Open, Restore (with a failing keyboard, a good file, a
// damaged file), Apply, Default, Backup, JSON export and import (a good and a
// bad document), the busy animation while Apply writes, an unplug during
// Apply, the about box, and last an exit while a file dialog is up. Each check looks at the files and at the
// keyboard's memory.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "app/settings/language_texts.h"
#include "commands_fixture.h"
#include "config_json/config_files.h"
#include "harness/harness.h"
#include "harness/shown_copy.h"
#include "model/assign/assignment_store.h"
#include "model/keys/text_format.h"
#include "profiles/profile_reader.h"
#include "ui/kit/skin_entry.h"

namespace kv::e2e {
namespace {

using namespace ids;

constexpr auto kStep = 30s;  // generous: a loaded machine, Wine, a slowed keyboard

class Commands : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { copy_ = new ShownCopy(kEnglish); }
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
        ASSERT_TRUE(Shown()) << "the window could not be opened for the check";
        ASSERT_TRUE(WaitForPending(main_, false)) << "changes left pending by the check before";
    }

    // Opens the window when an earlier check left it hidden. Right after a
    // read-back the keyboard may not be recorded yet: answer "no keyboard" and ask again.
    bool Shown() {
        const std::wstring no_device = EnglishText(L"MAIN_NO_DEVICE_PROMPT");
        return WaitFor(
            [&] {
                if (IsWindowVisible(main_)) return true;
                if (FindMessageBox(pid_, no_device)) AnswerMessageBox(pid_, no_device, IDOK, kStep);
                PostMessageW(main_, kMsgShow, kCodeOpen, 0);
                return WaitFor([&] { return IsWindowVisible(main_) || FindMessageBox(pid_, no_device); },
                               2s) &&
                       IsWindowVisible(main_);
            },
            kStep * 2);
    }

    std::vector<uint8_t> KeyMap(int profile) {
        return SimArea(pipe_, "keymaps", profile * kKeyMapBytes, kKeyMapBytes)
            .value_or(std::vector<uint8_t>{});
    }
    std::vector<uint8_t> Matrix() {
        return SimArea(pipe_, "matrix", 0, kKeyMapBytes).value_or(std::vector<uint8_t>{});
    }
    std::vector<uint8_t> MacroAreaStart() {
        return SimArea(pipe_, "macro", 0, FixtureMacroArea().size()).value_or(std::vector<uint8_t>{});
    }
    std::vector<uint8_t> LightingRecords() {
        return SimArea(pipe_, "profiles", 0, kProfiles * model::kLightingRecordSize)
            .value_or(std::vector<uint8_t>{});
    }
    std::string Writes() { return SimStatusLine(pipe_, "writes"); }
    std::wstring InCopy(const wchar_t* name) { return copy_->Copy().Folder() + name; }
    static bool WriteText(const std::wstring& path, std::string_view text) {
        std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
        return out.write(text.data(), static_cast<std::streamsize>(text.size())) && out.flush();
    }

    bool BusyShown() { return HasVisibleStyle(GetDlgItem(main_, kBusyIndicator)); }

    static inline ShownCopy* copy_ = nullptr;
    HWND main_ = nullptr;
    DWORD pid_ = 0;
    std::wstring pipe_;
};

// Neither key closes, hides or applies anything, on the window or on a button.
TEST_F(Commands, EnterAndEscapeDoNothing) {
    const std::string writes = Writes();
    for (HWND target : {main_, GetDlgItem(main_, kDefault), GetDlgItem(main_, kCancel)}) {
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            PostMessageW(target, WM_KEYDOWN, key, 1);
            PostMessageW(target, WM_KEYUP, key, 0xC0000001);
        }
    }
    EXPECT_FALSE(WaitFor([&] { return !IsWindowVisible(main_); }, 2s)) << "a key hid the window";
    EXPECT_TRUE(Responds(main_));
    EXPECT_EQ(FindMessageBox(pid_, EnglishText(L"MAIN_PROMPT_DEFAULT")), nullptr) << "a key pressed Default";
    EXPECT_EQ(Writes(), writes);
}

TEST_F(Commands, CancelHidesAndTrayOpenShowsAgain) {
    ASSERT_TRUE(Click(main_, kCancel));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main_); }, kStep));
    EXPECT_FALSE(WaitForExit(copy_->Process(), 0ms).has_value()) << "Cancel ended the program";
    PostCommand(main_, kTrayOpen);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main_) != FALSE; }, kStep));
    EXPECT_EQ(FindMessageBox(pid_, EnglishText(L"MAIN_NO_DEVICE_PROMPT")), nullptr);
}

// The file goes into the working set and the working file even when the
// keyboard refuses it; the changes then wait for Apply, which writes the
// active profile and the macro area.
TEST_F(Commands, ARestoreTheKeyboardRefusesStaysPendingUntilApply) {
    const std::wstring file = InCopy(L"restore.kvp");
    ASSERT_TRUE(WriteRestoreFixture(file));
    const std::vector<uint8_t> matrix = Matrix();
    ASSERT_EQ(matrix.size(), kKeyMapBytes);
    std::vector<std::vector<uint8_t>> before;
    for (int p = 0; p < kProfiles; ++p) before.push_back(KeyMap(p));

    ASSERT_TRUE(SimOk(pipe_, "fault status FE 1000"));
    ASSERT_TRUE(RestoreThroughMenu(main_, pid_, file));
    ASSERT_TRUE(WaitForPending(main_, true));
    ASSERT_TRUE(WaitUntilIdle(main_, pid_));
    EXPECT_TRUE(IsEnabled(main_, kApply)) << "a failed keyboard write cleared the pending changes";
    for (int p = 0; p < kProfiles; ++p) EXPECT_EQ(KeyMap(p), before[p]) << "profile " << p;
    EXPECT_EQ(ReadWholeFile(WorkingProfileFile()), ReadWholeFile(file))
        << "the working file lacks the restore";

    ASSERT_TRUE(SimOk(pipe_, "fault clear"));
    ASSERT_TRUE(Click(main_, kApply));
    ASSERT_TRUE(WaitForPending(main_, false)) << "Apply did not succeed";
    EXPECT_EQ(KeyMap(0), FixtureKeyMap(matrix, 0));
    EXPECT_EQ(KeyMap(1), before[1]) << "Apply writes the active profile only";
    EXPECT_EQ(KeyMap(2), before[2]) << "Apply writes the active profile only";
    EXPECT_EQ(MacroAreaStart(), FixtureMacroArea());
}

TEST_F(Commands, RestoreWritesEveryProfileAndTheMacroArea) {
    const std::wstring file = InCopy(L"restore.kvp");
    ASSERT_TRUE(WriteRestoreFixture(file));
    const std::vector<uint8_t> matrix = Matrix();
    const std::string writes = Writes();
    ASSERT_TRUE(RestoreThroughMenu(main_, pid_, file));
    ASSERT_TRUE(WaitFor([&] { return Writes() != writes && KeyMap(2) == FixtureKeyMap(matrix, 2); }, kStep));
    for (int p = 0; p < kProfiles; ++p) EXPECT_EQ(KeyMap(p), FixtureKeyMap(matrix, p)) << "profile " << p;
    EXPECT_EQ(MacroAreaStart(), FixtureMacroArea());
    EXPECT_EQ(ReadWholeFile(WorkingProfileFile()), ReadWholeFile(file));
    EXPECT_FALSE(IsEnabled(main_, kApply));
}

TEST_F(Commands, ADamagedFileIsRefusedWithBothMessages) {
    const std::wstring file = InCopy(L"damaged.kvp");
    ASSERT_TRUE(WriteDamagedFixture(file));
    const std::string writes = Writes();
    const std::optional<std::vector<uint8_t>> working = ReadWholeFile(WorkingProfileFile());
    ASSERT_TRUE(RestoreThroughMenu(main_, pid_, file));
    const std::wstring format_error = app::ToWide(
        model::FormatWithString(app::ToU16(EnglishText(L"PROFILE_FORMAT_ERROR")), app::ToU16(file)));
    EXPECT_TRUE(AnswerMessageBox(pid_, format_error, IDOK, kStep)) << "no format message naming the file";
    EXPECT_TRUE(AnswerMessageBox(pid_, EnglishText(L"MAIN_PROMPT_INPORT"), IDOK, kStep));
    EXPECT_TRUE(Responds(main_));
    EXPECT_EQ(Writes(), writes) << "a damaged file reached the keyboard";
    EXPECT_EQ(ReadWholeFile(WorkingProfileFile()), working);
    EXPECT_FALSE(IsEnabled(main_, kApply));
}

// Default clears the keys of the active profile, in the working file and on
// the keyboard; the other profiles and the macros stay. No changes nothing.
TEST_F(Commands, DefaultAsksThenClearsTheActiveProfile) {
    const std::vector<uint8_t> matrix = Matrix();
    ASSERT_EQ(KeyMap(0), FixtureKeyMap(matrix, 0)) << "the check before left another configuration";
    const struct {
        int answer;
        bool cleared;
    } cases[] = {{IDNO, false}, {IDYES, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer == IDYES ? "Yes" : "No");
        const std::string writes = Writes();
        ASSERT_TRUE(Click(main_, kDefault));
        ASSERT_TRUE(AnswerMessageBox(pid_, EnglishText(L"MAIN_PROMPT_DEFAULT"), c.answer, kStep));
        if (c.cleared) {
            EXPECT_TRUE(WaitFor([&] { return KeyMap(0) == matrix; }, kStep)) << "profile 1 kept its keys";
        } else {
            EXPECT_TRUE(Responds(main_));
            EXPECT_EQ(Writes(), writes);
            EXPECT_EQ(KeyMap(0), FixtureKeyMap(matrix, 0));
        }
        EXPECT_TRUE(WaitForPending(main_, false));
    }
    EXPECT_EQ(KeyMap(1), FixtureKeyMap(matrix, 1));
    EXPECT_EQ(KeyMap(2), FixtureKeyMap(matrix, 2));
    EXPECT_EQ(MacroAreaStart(), FixtureMacroArea());
    model::ConfigSet saved;
    ASSERT_EQ(profiles::LoadProfileFile(WorkingProfileFile(), saved), profiles::ProfileStatus::kValid);
    EXPECT_EQ(model::ReadAssignment(*saved.block, 0, model::KeyIndexOf(0x01E)).kind, model::kKindDefault);
    EXPECT_EQ(model::ReadAssignment(*saved.block, 1, model::KeyIndexOf(0x01E)).kind, model::kKindMacro);
}

// Backup writes the working set: the same bytes as the working file, which Apply just saved.
TEST_F(Commands, BackupSavesTheWorkingSet) {
    const std::wstring file = InCopy(L"backup.kvp");
    DeleteFileW(file.c_str());
    ASSERT_TRUE(ChooseBackupMenuItem(main_, pid_, 1));
    ASSERT_TRUE(ChooseInFileDialog(pid_, file, kStep));
    ASSERT_TRUE(WaitFor([&] { return FileExists(file); }, kStep));
    EXPECT_TRUE(Responds(main_));
    EXPECT_EQ(profiles::ValidateProfileFile(file), profiles::ProfileStatus::kValid);
    EXPECT_EQ(ReadWholeFile(file), ReadWholeFile(WorkingProfileFile()));
    // Nothing but the backup itself is left in the folder.
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(copy_->Copy().Folder()))) {
        const std::wstring name = entry.path().filename().wstring();
        EXPECT_FALSE(name.rfind(L"backup.kvp", 0) == 0 && name != L"backup.kvp")
            << "left behind: " << entry.path();
    }
}

// "Export as JSON…" saves Backup's working set in the readable form, and the
// lighting as the keyboard keeps it: read back, it gives the working file and
// every profile's lighting record byte for byte.
TEST_F(Commands, ExportAsJsonSavesTheWorkingSetAndTheLighting) {
    const std::wstring file = InCopy(L"export.json");
    DeleteFileW(file.c_str());
    ASSERT_TRUE(ChooseBackupMenuItem(main_, pid_, 2));
    ASSERT_TRUE(ChooseInFileDialog(pid_, file, kStep));
    ASSERT_TRUE(WaitFor([&] { return FileExists(file); }, kStep));
    EXPECT_TRUE(Responds(main_));
    const config_json::LoadedConfig loaded = config_json::LoadConfigFile(std::filesystem::path(file));
    ASSERT_TRUE(loaded.document) << loaded.error;
    EXPECT_EQ(std::optional(loaded.document->profile_file), ReadWholeFile(WorkingProfileFile()));
    ASSERT_TRUE(loaded.document->keyboard) << "no lighting in the export";
    const std::vector<uint8_t> records = LightingRecords();
    ASSERT_EQ(records.size(), kProfiles * model::kLightingRecordSize);
    for (int p = 0; p < kProfiles; ++p) {
        const auto& record = loaded.document->keyboard->records[p];
        EXPECT_TRUE(
            std::equal(record.begin(), record.end(), records.begin() + p * model::kLightingRecordSize))
            << "profile " << p + 1;
    }
}

// "Import JSON…" takes Restore's steps for the document (every profile, the
// macro area, the working file), then writes the lighting it carries.
TEST_F(Commands, ImportJsonWritesEveryProfileTheMacrosAndTheLighting) {
    const std::wstring fixture = InCopy(L"import.kvp");
    ASSERT_TRUE(WriteRestoreFixture(fixture));
    config_json::ConfigDocument document;
    document.profile_file = ReadWholeFile(fixture).value_or(std::vector<uint8_t>{});
    const std::vector<uint8_t> records = LightingRecords();
    ASSERT_EQ(records.size(), kProfiles * model::kLightingRecordSize);
    model::LightingSnapshot lighting;
    for (int p = 0; p < kProfiles; ++p)
        std::copy_n(records.begin() + p * model::kLightingRecordSize, model::kLightingRecordSize,
                    lighting.records[p].begin());
    const uint8_t mode = lighting.records[1][0] == 3 ? 4 : 3;
    lighting.records[1][0] = mode;
    lighting.records[1][1] = 2;  // brightness
    document.keyboard = lighting;
    const std::optional<std::string> text = config_json::WriteConfigJson(document);
    ASSERT_TRUE(text);
    const std::wstring file = InCopy(L"import.json");
    ASSERT_TRUE(WriteText(file, *text));

    const std::vector<uint8_t> matrix = Matrix();
    ASSERT_TRUE(ChooseBackupMenuItem(main_, pid_, 3));
    ASSERT_TRUE(ChooseInFileDialog(pid_, file, kStep));
    // Bytes 0..34 of every record are written, the rest is the keyboard's own.
    const auto written = [&] {
        const std::vector<uint8_t> now = LightingRecords();
        if (now.size() != records.size()) return false;
        for (int p = 0; p < kProfiles; ++p)
            if (!std::equal(lighting.records[p].begin(),
                            lighting.records[p].begin() + model::kLightingDefaultSize,
                            now.begin() + p * model::kLightingRecordSize))
                return false;
        return true;
    };
    ASSERT_TRUE(WaitFor(written, kStep)) << "the lighting was not written";
    ASSERT_TRUE(WaitUntilIdle(main_, pid_)) << "the import did not end";
    for (int p = 0; p < kProfiles; ++p) EXPECT_EQ(KeyMap(p), FixtureKeyMap(matrix, p)) << "profile " << p;
    EXPECT_EQ(MacroAreaStart(), FixtureMacroArea());
    EXPECT_EQ(ReadWholeFile(WorkingProfileFile()), ReadWholeFile(fixture));
    EXPECT_TRUE(Responds(main_));
    EXPECT_FALSE(IsEnabled(main_, kApply));
}

// A document that is not a configuration changes nothing: the message names
// the file and the place that is wrong, then Restore's own message follows.
TEST_F(Commands, ABadJsonFileIsRefusedAndWritesNothing) {
    const std::wstring file = InCopy(L"bad.json");
    ASSERT_TRUE(WriteText(file, R"({"format": "kelvarin-configuration", "version": 1,
  "profiles": [{"keys": [{"key": "F13", "send": "B"}]}, {"keys": []}, {"keys": []}], "macros": []})"));
    const std::string writes = Writes();
    const std::optional<std::vector<uint8_t>> working = ReadWholeFile(WorkingProfileFile());
    ASSERT_TRUE(ChooseBackupMenuItem(main_, pid_, 3));
    ASSERT_TRUE(ChooseInFileDialog(pid_, file, kStep));
    const std::string reason = config_json::LoadConfigFile(std::filesystem::path(file)).error;
    ASSERT_NE(reason.find("\"F13\""), std::string::npos) << reason;
    const std::wstring format_error = app::ToWide(model::FormatWithString(
                                          app::ToU16(EnglishText(L"JSON_FORMAT_ERROR")), app::ToU16(file))) +
                                      L"\n" + std::wstring(reason.begin(), reason.end());
    EXPECT_TRUE(AnswerMessageBox(pid_, format_error, IDOK, kStep))
        << "no message naming the file and the fault";
    EXPECT_TRUE(AnswerMessageBox(pid_, EnglishText(L"MAIN_PROMPT_INPORT"), IDOK, kStep));
    EXPECT_TRUE(Responds(main_));
    EXPECT_EQ(Writes(), writes) << "a bad file reached the keyboard";
    EXPECT_EQ(ReadWholeFile(WorkingProfileFile()), working);
    EXPECT_FALSE(IsEnabled(main_, kApply));
}

// A slow keyboard makes Apply last: the window keeps answering and painting,
// the animation turns, and a click made meanwhile is dropped.
TEST_F(Commands, TheBusyAnimationTurnsWhileApplyWrites) {
    ASSERT_TRUE(SimOk(pipe_, "fault latency 150"));
    ASSERT_TRUE(Click(main_, kDefault));
    ASSERT_TRUE(AnswerMessageBox(pid_, EnglishText(L"MAIN_PROMPT_DEFAULT"), IDYES, kStep));
    ASSERT_TRUE(WaitFor([&] { return BusyShown(); }, kStep)) << "no busy indicator";

    // A click on Cancel while the keyboard is written: it must not hide the window afterwards.
    HWND cancel = GetDlgItem(main_, kCancel);
    PostMessageW(cancel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageW(cancel, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));

    // Sampled as fast as the window answers, for as long as the write lasts.
    std::set<LRESULT> frames;
    int answered = 0;
    bool screenshot = false;
    const auto deadline = std::chrono::steady_clock::now() + kStep;
    while (BusyShown() && std::chrono::steady_clock::now() < deadline) {
        DWORD_PTR image = 0;
        if (SendMessageTimeoutW(GetDlgItem(main_, kBusyIndicator), STM_GETIMAGE, IMAGE_BITMAP, 0, SMTO_NORMAL,
                                500, &image))
            frames.insert(static_cast<LRESULT>(image));
        if (Responds(main_, 500ms)) ++answered;
        if (!screenshot && frames.size() >= 3)
            screenshot = SaveScreenshot(main_, ScreenshotFolder() + L"commands_busy_en.png");
    }
    EXPECT_GE(frames.size(), 3u) << "the animation did not turn during the write";
    EXPECT_GE(answered, 3) << "the window did not answer during the write";
    EXPECT_TRUE(screenshot);
    ASSERT_TRUE(WaitFor([&] { return !BusyShown(); }, kStep));
    EXPECT_TRUE(WaitForPending(main_, false));
    EXPECT_TRUE(IsWindowVisible(main_)) << "the click made during the write was carried out";
    ASSERT_TRUE(SimOk(pipe_, "fault clear"));
}

// Unplugged while Apply writes: the window hides, the changes stay pending,
// and the working file still holds the whole working set.
TEST_F(Commands, AnUnplugDuringApplyKeepsApplyAndTheWorkingFile) {
    ASSERT_TRUE(SimOk(pipe_, "fault latency 150"));
    ASSERT_TRUE(Click(main_, kDefault));
    ASSERT_TRUE(AnswerMessageBox(pid_, EnglishText(L"MAIN_PROMPT_DEFAULT"), IDYES, kStep));
    ASSERT_TRUE(WaitFor([&] { return BusyShown(); }, kStep));
    ASSERT_TRUE(SimOk(pipe_, "unplug"));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main_); }, kStep)) << "an unplug left the window open";
    EXPECT_TRUE(WaitFor([&] { return !BusyShown(); }, kStep));
    EXPECT_TRUE(IsEnabled(main_, kApply)) << "the failed write cleared the pending changes";
    EXPECT_EQ(profiles::ValidateProfileFile(WorkingProfileFile()), profiles::ProfileStatus::kValid);
    model::ConfigSet saved;
    ASSERT_EQ(profiles::LoadProfileFile(WorkingProfileFile(), saved), profiles::ProfileStatus::kValid);
    EXPECT_EQ(saved.macros.Count(), 1) << "the working file lost the macros";
    EXPECT_EQ(model::ReadAssignment(*saved.block, 1, model::KeyIndexOf(0x01E)).kind, model::kKindMacro);

    // Plugged in again: the keyboard is read back and is the master copy once more.
    ASSERT_TRUE(SimOk(pipe_, "fault clear"));
    ASSERT_TRUE(SimOk(pipe_, "plug"));
    EXPECT_TRUE(WaitForPending(main_, false));
    EXPECT_FALSE(IsWindowVisible(main_));
}

TEST_F(Commands, TheAboutBoxOpensOnceWithItsTexts) {
    struct Count {
        DWORD pid;
        int boxes;
    };
    const auto boxes = [&] {
        Count count{pid_, 0};
        EnumWindows(
            [](HWND w, LPARAM param) -> BOOL {
                auto* c = reinterpret_cast<Count*>(param);
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == c->pid && IsWindowVisible(w) && GetDlgItem(w, 1205) && GetDlgItem(w, 1206))
                    ++c->boxes;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count.boxes;
    };
    PostCommand(main_, kTrayAbout);
    ASSERT_TRUE(WaitFor([&] { return boxes() == 1; }, kStep));
    PostCommand(main_, kTrayAbout);
    PostMessageW(main_, WM_SYSCOMMAND, 0x10, 0);  // the system menu's item
    ASSERT_TRUE(Responds(main_));
    EXPECT_FALSE(WaitFor([&] { return boxes() > 1; }, 1s)) << "a second about box";
    HWND about = FindWindowWithControls(pid_, {1205, 1206, 1124, IDOK});
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(TextOf(about), EnglishText(L"LANG_ABOUT_TITLE"));
    EXPECT_EQ(TextOf(about, 1206), EnglishText(L"GUANYU_JIESHAO"));
    EXPECT_EQ(TextOf(about, 1205), EnglishText(L"GUANYU_BANQUAN"));
    EXPECT_EQ(TextOf(about, IDOK), EnglishText(L"LANG_ABOUT_OK"));
    EXPECT_EQ(TextOf(about, 1124), ui::ReadSkinText(copy_->Copy().MainSkin(), L"SCREEN", L"Link"));
    EXPECT_TRUE(SaveScreenshot(about, ScreenshotFolder() + L"commands_about_en.png"));
    // Escape closes it, and so does OK once it is opened again.
    PostMessageW(GetDlgItem(about, IDOK), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(WaitFor([&] { return boxes() == 0; }, kStep)) << "Escape left the about box open";
    PostMessageW(main_, WM_SYSCOMMAND, 0x10, 0);
    ASSERT_TRUE(WaitFor(
        [&] {
            return (about = FindWindowWithControls(pid_, {1205, 1206, 1124, IDOK})) != nullptr;
        },
        kStep));
    ASSERT_TRUE(Click(about, IDOK));
    EXPECT_TRUE(WaitFor([&] { return boxes() == 0; }, kStep));
    EXPECT_TRUE(IsWindowVisible(main_)) << "Escape in the about box reached the main window";
}

// Last: the program ends while the open dialog is up, without an answer to it.
TEST_F(Commands, AKillRequestEndsTheProgramWhileAFileDialogIsUp) {
    ASSERT_TRUE(ChooseBackupMenuItem(main_, pid_, 0));
    ASSERT_TRUE(WaitFor([&] { return FindFileDialog(pid_) != nullptr; }, kStep));
    const auto start = std::chrono::steady_clock::now();
    PostMessageW(main_, kMsgKill, kCodeKill, 0);
    const std::optional<DWORD> code = WaitForExit(copy_->Process(), 60s);
    ASSERT_TRUE(code.has_value()) << "the program kept running under its file dialog";
    EXPECT_EQ(*code, 0u);
    std::printf("exit with a file dialog up: %lld ms\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - start)
                                           .count()));
}

}  // namespace
}  // namespace kv::e2e
