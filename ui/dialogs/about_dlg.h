// The about box: a plain modeless dialog (template 100, not skinned), at most
// one at a time: the program's icon, two lines of text, the skin's "Link" as
// a hyperlink, and OK. Its texts follow the language message ('PA').
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/kit/color_static.h"
#include "ui/kit/hyperlink.h"
#include "ui/kit/window.h"

namespace kv::ui {

// What the box shows and where its help request goes.
struct AboutContent {
    std::function<std::wstring(const wchar_t* key)> text;  // section "TEXT" of the current language
    std::wstring link_text;                                // the skin's "Link" as it stands
    std::wstring link_target;                              // what a click opens
    std::function<void()> help;                            // F1
};

class CAboutDlg : public Dialog {
  public:
    explicit CAboutDlg(HINSTANCE instance);
    ~CAboutDlg() override { Close(); }

    // Refused while the box is open.
    void Open(HWND owner, AboutContent content);
    void Close();
    bool IsOpen() const { return hwnd_ != nullptr; }
    HWND Window() const { return hwnd_; }

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    BOOL OnInitDialog() override;
    void OnOk() override { Close(); }
    void OnCancel() override { Close(); }

  private:
    LRESULT OnLanguage(WPARAM code, LPARAM);
    LRESULT OnHelp(WPARAM, LPARAM);

    AboutContent content_;
    ColorStatic line1_, line2_;
    CHyperLink link_;
};

}  // namespace kv::ui
