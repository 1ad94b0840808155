#include "ui/main/init_guard.h"

#include "ui/kit/base_dialog.h"

namespace kv::ui {

bool RunInitialisation(const std::function<bool()>& steps) {
    try {
        return steps();
    } catch (...) {
        CBaseDialog::EndProcessSilently();
        return false;
    }
}

}  // namespace kv::ui
