// kv_gallery OUTPUT_FOLDER: screenshots of every skin of the program's folder.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "tools/gallery/gallery_dialog.h"
#include "ui/kit/image_file.h"

namespace {

std::wstring ModuleFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: kv_gallery OUTPUT_FOLDER\n");
        return 2;
    }
    std::wstring out = argv[1];
    if (out.back() != L'\\' && out.back() != L'/') out += L'\\';
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    kv::ui::EnsureGdiplus();

    bool skinBroken = false;
    kv::ui::CBaseDialog::SetFatalExit([&] { skinBroken = true; });
    int failures = 0;
    for (const auto& sheet : kv::gallery::SkinSheets()) {
        skinBroken = false;
        kv::gallery::GalleryDialog dialog(sheet, ModuleFolder());
        if (!dialog.Create() || skinBroken) {
            std::fwprintf(stderr, L"%ls: the background or mask image is missing\n", sheet.ini.c_str());
            ++failures;
            continue;
        }
        for (const auto& problem : dialog.Problems())
            std::fwprintf(stderr, L"%ls: %ls\n", sheet.name.c_str(), problem.c_str());
        ShowWindow(dialog.hwnd(), SW_SHOWNA);  // some controls paint only while visible
        bool saved = dialog.Shoot(out + sheet.name + L"_normal.png");
        dialog.ShowStates();
        saved = dialog.Shoot(out + sheet.name + L"_states.png") && saved;
        if (sheet.name == L"main") {
            dialog.ShowLightingPanel();
            saved = dialog.Shoot(out + sheet.name + L"_lighting.png") && saved;
        }
        if (!saved) {
            std::fwprintf(stderr, L"%ls: cannot write the screenshots to %ls\n", sheet.name.c_str(),
                          out.c_str());
            ++failures;
        } else {
            std::fwprintf(stdout, L"%ls: done\n", sheet.name.c_str());
        }
    }
    return failures == 0 ? 0 : 1;
}
