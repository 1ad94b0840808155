#include "ui/kit/file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "ui/kit/nested_loops.h"

namespace kv::ui {

namespace {

FileChooser& Chooser() {
    static FileChooser chooser;
    return chooser;
}

}  // namespace

std::wstring NulSeparatedFilter(std::wstring_view bars) {
    std::wstring filter(bars);
    while (!filter.empty() && filter.back() == L'|') filter.pop_back();
    for (wchar_t& c : filter) {
        if (c == L'|') c = L'\0';
    }
    filter.append(2, L'\0');
    return filter;
}

std::optional<std::wstring> ChooseFile(HWND owner, FileDialogKind kind, const FileDialogSpec& spec) {
    if (Chooser()) return Chooser()(kind, spec);

    const std::wstring filter = NulSeparatedFilter(spec.filter);
    std::vector<wchar_t> path(32768, L'\0');
    spec.initial_name.copy(path.data(), path.size() - 1);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrInitialDir = spec.initial_folder.empty() ? nullptr : spec.initial_folder.c_str();
    ofn.lpstrDefExt = spec.default_extension.empty() ? nullptr : spec.default_extension.c_str();
    // The program builds every path from its own folder, so the current directory stays where it was.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (kind == FileDialogKind::kSave && spec.overwrite_prompt) ofn.Flags |= OFN_OVERWRITEPROMPT;

    BOOL chosen = FALSE;
    RunCapturingDialog(
        [&] { chosen = kind == FileDialogKind::kSave ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn); },
        [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    if (!chosen) return std::nullopt;
    return std::wstring(path.data());
}

void SetFileChooser(FileChooser chooser) { Chooser() = std::move(chooser); }

}  // namespace kv::ui
