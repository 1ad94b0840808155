// How the two dialogs look: texts in each language (with the fixed texts
// standing in for a language file without them), the manager's list in the
// skin's dark colours, and screenshots of both dialogs for review.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/win/profile_dialogs/dialog_rig.h"
#include "ui/dialogs/profiles/profile_dlg.h"
#include "ui/dialogs/profiles/profile_dlg_ids.h"
#include "ui/dialogs/update/update_dlg.h"
#include "ui/dialogs/update/update_dlg_ids.h"
#include "ui/kit/image_file.h"
#include "ui/kit/window_capture.h"

namespace kv::ui::test {
namespace {

namespace fs = std::filesystem;

// A language folder whose English file holds only the caption.
struct SparseLanguage {
    SparseLanguage() {
        std::ofstream out(fs::path(folder.path()) / L"Lang0409.ini", std::ios::binary);
        const std::wstring text = L"\uFEFF[TEXT]\r\nMAIN_CAPTION=Kelvarin\r\n";
        out.write(reinterpret_cast<const char*>(text.data()), static_cast<std::streamsize>(text.size() * 2));
    }
    std::wstring Path() const { return folder.path(); }
    ScratchFolder folder;
};

struct Language {
    const char* name;
    app::LanguageId id;
    bool sparse;  // the language file lacks the dialogs' keys
};

constexpr Language kEnglish{"English", app::kLanguageEnglish, false};
constexpr Language kSimplified{"Simplified Chinese", app::kLanguageChineseSimplified, false};
constexpr Language kTraditional{"Traditional Chinese", app::kLanguageChineseTraditional, false};
constexpr Language kSparse{"a file without the keys", app::kLanguageEnglish, true};

TEST(DialogTexts, ColumnHeadersAndCaptionsComeFromTheLanguage) {
    struct Case {
        Language language;
        std::vector<std::wstring> headers;
        std::wstring addCaption;
    };
    const Case cases[] = {
        {kEnglish, {L"Active", L"Name", L"Folder"}, L"New"},
        {kSimplified, {L"激活", L"名称", L"路径"}, L"新建"},
        {kTraditional, {L"激活", L"名称", L"路径"}, L"新增"},
        {kSparse, {L"激活", L"名称", L"路径"}, L"#Error"},
    };
    for (const Case& c : cases) {
        SparseLanguage sparse;
        DialogRig rig(c.language.id, c.language.sparse ? sparse.Path() : std::wstring());
        CKelvarin_DlgProfile dialog(rig, rig.paths);
        RunOpen(dialog, [&](HWND d) {
            EXPECT_EQ(ListHeaders(GetDlgItem(d, IDC_PROFILE_LIST)), c.headers) << c.language.name;
            EXPECT_EQ(ControlText(d, IDC_PROFILE_ADD), c.addCaption) << c.language.name;
        });
    }
}

TEST(DialogTexts, UpdateMessagesKeepTheirFixedChineseTexts) {
    struct Case {
        Language language;
        std::wstring message;
    };
    const Case cases[] = {
        {kEnglish, L"Choose a correct update file."},
        {kSimplified, L"请选择正确的更新文件! "},
        {kTraditional, L"请选择正确的更新文件! "},
        {kSparse, L"请选择正确的更新文件! "},
    };
    for (const Case& c : cases) {
        SparseLanguage sparse;
        DialogRig rig(c.language.id, c.language.sparse ? sparse.Path() : std::wstring());
        CKelvarin_DlgUpdate dialog(rig, rig.paths);
        RunOpen(dialog, [&](HWND d) { Click(d, IDC_UPDATE_START); });
        ASSERT_EQ(rig.boxes.size(), 1u) << c.language.name;
        EXPECT_EQ(rig.boxes[0].text, c.message) << c.language.name;
    }
}

uint32_t Rgb(BYTE r, BYTE g, BYTE b) { return (uint32_t{r} << 16) | (uint32_t{g} << 8) | b; }

uint32_t RgbAt(const PixelImage& image, int x, int y) {
    return image.pixels[static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)] &
           0x00FFFFFF;
}

TEST(DialogLook, TheListIsDrawnInTheSkinsColours) {
    DialogRig rig;
    rig.ReadKeyboard();
    CKelvarin_DlgProfile dialog(rig, rig.paths);
    RunOpen(dialog, [&](HWND d) {
        HWND list = GetDlgItem(d, IDC_PROFILE_LIST);
        RECT where;
        GetWindowRect(list, &where);
        MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&where), 2);
        const PixelImage shot = CaptureWindow(d);
        HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
        RECT headerRect;
        GetClientRect(header, &headerRect);
        RECT row{};
        row.left = LVIR_BOUNDS;
        SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        const int rowMiddle = where.top + (row.top + row.bottom) / 2, height = row.bottom - row.top;
        // Right of the last column (60 + 120 + 230), in the header, a row and the empty area below the rows.
        EXPECT_EQ(RgbAt(shot, where.left + 450, where.top + headerRect.bottom / 2), Rgb(0x23, 0x26, 0x2B))
            << "header";
        EXPECT_EQ(RgbAt(shot, where.left + 450, rowMiddle + 6 * height), Rgb(0x11, 0x13, 0x16))
            << "empty area";
        EXPECT_EQ(RgbAt(shot, where.left + 450, rowMiddle), Rgb(0x11, 0x13, 0x16)) << "a row";
    });
}

// Pixels of the control clearly darker than the accent face: the strokes of its caption.
int InkOf(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    RECT where;
    GetWindowRect(control, &where);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&where), 2);
    const PixelImage shot = CaptureWindow(dialog);
    int ink = 0;
    for (int y = where.top + 3; y < where.bottom - 3; ++y) {
        for (int x = where.left + 3; x < where.right - 3; ++x) {
            const uint32_t c = RgbAt(shot, x, y);
            const int luma = (299 * ((c >> 16) & 0xFF) + 587 * ((c >> 8) & 0xFF) + 114 * (c & 0xFF)) / 1000;
            if (luma < 64) ++ink;
        }
    }
    return ink;
}

// The main button's dark caption on the bright accent face: a thin face at
// 9 points left a few dark pixels of it (11 of "OK", 48 of "Update").
TEST(DialogLook, TheAccentButtonsCaptionStandsOut) {
    struct Case {
        Language language;
        int okInk, updateInk;
    };
    const Case cases[] = {{kEnglish, 25, 60}, {kSimplified, 25, 60}};
    for (const Case& c : cases) {
        DialogRig rig(c.language.id);
        CKelvarin_DlgProfile profiles(rig, rig.paths);
        RunOpen(profiles, [&](HWND d) { EXPECT_GE(InkOf(d, IDOK), c.okInk) << c.language.id; });
        CKelvarin_DlgUpdate update(rig, rig.paths);
        RunOpen(update, [&](HWND d) { EXPECT_GE(InkOf(d, IDC_UPDATE_START), c.updateInk) << c.language.id; });
    }
}

// ---- screenshots for review ----

std::wstring ScreenshotFolder() {
    // build/windows/stage -> build/screenshots
    const fs::path folder =
        fs::path(StageFolder()).parent_path().parent_path().parent_path() / L"screenshots";
    fs::create_directories(folder);
    return folder.wstring() + L"\\";
}

// The window as it paints itself, its children included; black outside its shape.
bool SaveScreenshot(HWND window, const std::wstring& path) {
    const PixelImage shot = CaptureWindow(window, RGB(0, 0, 0));
    return !shot.pixels.empty() && SaveImageFile(shot, path, ImageFormat::Png);
}

TEST(DialogLook, Screenshots) {
    for (const Language& language : {kEnglish, kSimplified}) {
        const std::wstring suffix = language.id == app::kLanguageEnglish ? L"en" : L"zh-CN";
        DialogRig rig(language.id);
        rig.SetKeyboardActiveProfile(1);
        rig.ReadKeyboard();
        const fs::path added = rig.userFolder / L"Tournament.kvp";
        rig.choose = [&](FileDialogKind) { return added.wstring(); };
        CKelvarin_DlgProfile profiles(rig, rig.paths);
        RunOpen(profiles, [&](HWND d) {
            Click(d, IDC_PROFILE_ADD);
            HWND list = GetDlgItem(d, IDC_PROFILE_LIST);
            ClickTick(list, 3);
            ClickRow(list, 2);
            EXPECT_TRUE(SaveScreenshot(d, ScreenshotFolder() + L"profile_dialog_" + suffix + L".png"));
        });

        const fs::path program = rig.packageFolder / L"Firmware Update 2.1.exe";
        std::ofstream(program) << "x";
        rig.choose = [&](FileDialogKind) { return program.wstring(); };
        CKelvarin_DlgUpdate update(rig, rig.paths);
        RunOpen(update, [&](HWND d) {
            Click(d, IDC_UPDATE_OPEN);
            EXPECT_TRUE(SaveScreenshot(d, ScreenshotFolder() + L"update_dialog_" + suffix + L".png"));
        });
    }
}

}  // namespace
}  // namespace kv::ui::test

namespace kv::ui::test {
namespace {

// A program folder whose skin set lacks one of a dialog's button pictures.
struct ProgramFolderWithout {
    ProgramFolderWithout(std::initializer_list<const wchar_t*> skinFiles, const wchar_t* missing) {
        const fs::path skins = fs::path(folder.path()) / L"Skins";
        fs::create_directories(skins);
        for (const wchar_t* file : skinFiles) {
            if (std::wstring(file) != missing)
                fs::copy_file(fs::path(StageFolder()) / L"Skins" / file, skins / file);
        }
        paths = app::BuildAppPaths(folder.path() + L"Kelvarin.exe");
    }
    ScratchFolder folder;
    app::AppPaths paths;
};

TEST(DialogSkin, AMissingButtonPictureEndsTheProcess) {
    int exits = 0;
    CBaseDialog::SetFatalExit([&] { ++exits; });
    DialogRig rig;
    struct Case {
        const char* name;
        std::function<INT_PTR(const app::AppPaths&)> open;
        std::initializer_list<const wchar_t*> files;
        const wchar_t* missing;
    };
    const Case cases[] = {
        {"profile manager",
         [&](const app::AppPaths& paths) {
             CKelvarin_DlgProfile dialog(rig, paths);
             return RunOpen(dialog, [](HWND) { ADD_FAILURE() << "the dialog stayed open"; });
         },
         {L"Profile.ini", L"profile_bg.jpg", L"profile_mask.bmp", L"Profile_normal.jpg", L"Profile_over.jpg",
          L"Profile_down.jpg"},
         L"Profile_over.jpg"},
        {"update dialog",
         [&](const app::AppPaths& paths) {
             CKelvarin_DlgUpdate dialog(rig, paths);
             return RunOpen(dialog, [](HWND) { ADD_FAILURE() << "the dialog stayed open"; });
         },
         {L"UpdateDlg.ini", L"update_bg.jpg", L"update_mask.bmp", L"update_normal.jpg", L"update_over.jpg"},
         L"update_normal.jpg"},
    };
    for (const Case& c : cases) {
        exits = 0;
        const ProgramFolderWithout program(c.files, c.missing);
        EXPECT_EQ(c.open(program.paths), IDABORT) << c.name;
        EXPECT_EQ(exits, 1) << c.name;
    }
    CBaseDialog::SetFatalExit(nullptr);
}

}  // namespace
}  // namespace kv::ui::test
