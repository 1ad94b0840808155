// What every sub-dialog asks of the main window that owns it, and the message
// boxes the sub-dialogs show.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace kv::ui {

class DialogHost {
  public:
    virtual ~DialogHost() = default;
    // The text of the current language; "#Error" when the file lacks the key.
    virtual std::wstring LanguageText(const wchar_t* section, const wchar_t* key) const = 0;
    // The per-user folder (profile files, backups); empty when the shell cannot name it.
    virtual std::filesystem::path UserFolder() const = 0;
    // The help page.
    virtual void OpenHelp() = 0;
};

// A looked-up text, or the fixed text when the language file lacks the key.
std::wstring TextOr(std::wstring lookedUp, const wchar_t* fixed);

// A message box of a sub-dialog, captioned like every box of the program and
// run as a nested loop: it answers 0 when the program ends it from outside.
int ShowDialogMessage(HWND owner, const DialogHost& host, const std::wstring& text, UINT flags);

// Language texts are UTF-16 in both forms; the portable code speaks char16_t.
inline std::u16string ToU16(std::wstring_view text) { return {text.begin(), text.end()}; }
inline std::wstring ToWide(std::u16string_view text) { return {text.begin(), text.end()}; }

}  // namespace kv::ui
