#include "app/tray/tray_icon_state.h"

namespace kv::app {

std::optional<int> TrayIconState::Choose(int mode, int icon_id) {
    int target = kBusy;
    if (mode == 0 && icon_id != 0) {
        target = icon_id;
        presence_ = icon_id;
    } else if (mode == 0) {
        target = presence_;
    }
    if (target == shown_) return std::nullopt;
    shown_ = target;
    return target;
}

}  // namespace kv::app
