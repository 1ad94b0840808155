#include "app/settings/ini_panel_switch.h"

#include "app/settings/user_settings.h"

namespace kv::app {

IniPanelSwitch::IniPanelSwitch(std::function<std::wstring()> settings_file)
    : settings_file_(std::move(settings_file)) {}

bool IniPanelSwitch::ReadPanelSwitch() {
    const std::wstring file = settings_file_ ? settings_file_() : std::wstring();
    return !file.empty() && ReadDengCheck(file) == 1;
}

void IniPanelSwitch::WritePanelSwitch(bool on) {
    const std::wstring file = settings_file_ ? settings_file_() : std::wstring();
    if (!file.empty()) WriteDengCheck(file, on);
}

}  // namespace kv::app
