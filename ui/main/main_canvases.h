// The eleven state canvases of the main window, which its buttons (and the
// sub-dialogs) cut their faces from.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "ui/kit/png_button.h"
#include "ui/kit/state_canvas.h"

namespace kv::ui {

class MainCanvases {
  public:
    enum Id { N, O, D, X, N2, O2, D2, X2, A, C0, C1, kCount };

    // Draws every canvas from its image beside the program; false when one
    // of the images cannot be read (the program cannot run then).
    bool Build(HDC dialogDc, const std::wstring& moduleFolder);

    const StateCanvas& operator[](Id id) const { return canvases_[id]; }
    // Five faces by canvas, in the order normal, over, down, disabled, checked.
    StateCanvases Faces(Id normal, Id over, Id down, Id disabled, Id checked) const {
        return {&canvases_[normal], &canvases_[over], &canvases_[down], &canvases_[disabled],
                &canvases_[checked]};
    }

  private:
    std::array<StateCanvas, kCount> canvases_;
};

}  // namespace kv::ui
