// A tooltip for one window, made when first needed and destroyed with its owner object.
#pragma once

#include <windows.h>

#include <string>

namespace kv::ui {

class Tooltip {
  public:
    Tooltip() = default;
    Tooltip(const Tooltip&) = delete;
    Tooltip& operator=(const Tooltip&) = delete;
    ~Tooltip() { Destroy(); }

    // Creates the tip on first use (300 ms automatic delay) and activates it.
    void SetText(HWND tool, const std::wstring& text);
    const std::wstring& text() const { return text_; }
    HWND hwnd() const { return tip_; }
    void Destroy();

  private:
    HWND tip_ = nullptr;
    HWND tool_ = nullptr;
    std::wstring text_;
};

}  // namespace kv::ui
