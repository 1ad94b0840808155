// The dialog's frame: OK, Cancel and Apply, the four tabs, Clear, the
// on-screen keyboard button, the title, the heading and the page picture;
// which page's controls are shown, and macro-only mode.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "ui/dialogs/composite/composite_context.h"
#include "ui/dialogs/composite/composite_rules.h"
#include "ui/kit/png_button.h"

namespace kv::ui {

// The caption colours of the dialog's buttons: normal, over, down, disabled, checked.
inline constexpr StateColors kCompositeCaptionColors{RGB(255, 255, 255), RGB(255, 130, 0), RGB(255, 155, 4),
                                                     RGB(255, 255, 255), RGB(0, 100, 255)};
inline constexpr wchar_t kCompositeCaptionFont[] = L"Arial Unicode MS";

class CompositeChrome {
  public:
    explicit CompositeChrome(CompositeContext& context) : context_(context) {}

    void Attach(HWND dialog, const std::wstring& skinFile);
    // Macro-only mode: the other tabs, the title and Clear are off and wear the second macro set.
    void SetMacroOnly(bool macroOnly);
    void ApplyTexts(bool macroOnly);

    // Shows the page's controls only, checks its tab and puts its picture beneath.
    void ShowPage(composite::Page page);
    void EnableApply(bool on);
    void Release();

  private:
    CPngButton& Button(int id) { return *buttons_.at(id); }

    CompositeContext& context_;
    HWND dialog_ = nullptr;
    std::map<int, std::unique_ptr<CPngButton>> buttons_;
    bool macro_only_ = false;
};

}  // namespace kv::ui
