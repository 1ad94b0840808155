// The lighting panel switch, kept in the per-user settings file (section
// "KEYCOLOR", key "DengCheck"). The Win32 side implements the store; tests fake it.
#pragma once

#include <string_view>

namespace kv::model {

inline constexpr std::u16string_view kPanelSwitchSection = u"KEYCOLOR";
inline constexpr std::u16string_view kPanelSwitchKey = u"DengCheck";
inline constexpr std::u16string_view kPanelSwitchDefault = u"0";

// Only "1" means on; anything else, or no value, is off.
inline bool PanelSwitchFromValue(std::u16string_view value) { return value == u"1"; }
inline std::u16string_view PanelSwitchValue(bool on) { return on ? u"1" : u"0"; }

class PanelSwitchStore {
  public:
    virtual ~PanelSwitchStore() = default;
    virtual bool ReadPanelSwitch() = 0;
    virtual void WritePanelSwitch(bool on) = 0;
};

}  // namespace kv::model
