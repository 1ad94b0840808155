// What every sub-dialog's host on the main window's side answers alike: the
// current language's texts, the per-user folder and the help page.
#pragma once

#include <filesystem>
#include <string>

#include "ui/main/main_context.h"

namespace kv::ui {

// Host: one of the sub-dialogs' host interfaces (all derive from DialogHost).
template <class Host>
class MainDialogHost : public Host {
  public:
    explicit MainDialogHost(MainContext& context) : context_(context) {}

    std::wstring LanguageText(const wchar_t* section, const wchar_t* key) const override {
        return context_.Text(section, key);
    }
    std::filesystem::path UserFolder() const override { return context_.app.user_settings.Path(); }
    void OpenHelp() override { context_.window.OpenHelp(); }

  protected:
    MainContext& context_;
};

}  // namespace kv::ui
