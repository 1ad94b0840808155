// The lighting panel switch kept as "DengCheck" in section "KEYCOLOR" of the
// per-user settings file.
#pragma once

#include <functional>
#include <string>

#include "model/lighting/panel_switch.h"

namespace kv::app {

class IniPanelSwitch : public model::PanelSwitchStore {
  public:
    // `settings_file` names the per-user settings file at the moment of each
    // call (it is known only once the main window has initialised); an empty
    // name reads as off and is not written.
    explicit IniPanelSwitch(std::function<std::wstring()> settings_file);

    bool ReadPanelSwitch() override;
    void WritePanelSwitch(bool on) override;

  private:
    std::function<std::wstring()> settings_file_;
};

}  // namespace kv::app
