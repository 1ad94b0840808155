// The common open and save dialogs, as the program's windows use them, run as
// nested loops (nested_loops.h) so that an exit request can cancel them.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kv::ui {

struct FileDialogSpec {
    // Pairs of description and pattern separated by bars, ending with "||":
    // "(*.kvp)|*.kvp|(*.*)|*.*||".
    std::wstring filter;
    std::wstring default_extension;  // without the dot: "kvp"
    std::wstring initial_name;       // a pattern ("*.kvp") or a path
    std::wstring initial_folder;     // empty: the dialog's own choice
    bool overwrite_prompt = false;   // save only
};

enum class FileDialogKind { kOpen, kSave };

// The chosen path, or nothing when the user cancelled (or the dialog was ended from outside).
std::optional<std::wstring> ChooseFile(HWND owner, FileDialogKind kind, const FileDialogSpec& spec);

// The bar-separated filter as the dialog takes it: each bar a NUL, ending in two NULs.
std::wstring NulSeparatedFilter(std::wstring_view bars);

// Tests: answers every ChooseFile without showing a dialog (null restores the dialogs).
using FileChooser =
    std::function<std::optional<std::wstring>(FileDialogKind kind, const FileDialogSpec& spec)>;
void SetFileChooser(FileChooser chooser);

}  // namespace kv::ui
