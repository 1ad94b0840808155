// Window messages and letter codes through which another process, the
// program's own threads and the main window talk to each other.
#pragma once

#include <cstdint>

namespace kv::app {

constexpr uint32_t kMsgKill = 0x4D4B;      // 'MK'
constexpr uint32_t kMsgShow = 0x5350;      // 'SP'
constexpr uint32_t kMsgInit = 0x4D4E;      // 'MN'
constexpr uint32_t kMsgReload = 0x5452;    // 'TR'
constexpr uint32_t kMsgLayer = 0x5045;     // 'PE'
constexpr uint32_t kMsgLanguage = 0x5041;  // 'PA'
constexpr uint32_t kMsgGoneSub = 0x4753;   // 'GS'

constexpr uint32_t kCodeMain = 0x4D41494E;  // 'MAIN': the main window's user data
constexpr uint32_t kCodeInit = 0x494E4954;  // 'INIT'
constexpr uint32_t kCodeOpen = 0x4F50454E;  // 'OPEN'
constexpr uint32_t kCodeKill = 0x4C4C494B;  // 'KILL' as it reads in memory
constexpr uint32_t kCodeProf = 0x50524F46;  // 'PROF'
constexpr uint32_t kCodeLed = 0x004C4544;   // 'LED'
constexpr uint32_t kCodeLang = 0x4C414E47;  // 'LANG'

// Callback message of the tray icon.
constexpr uint32_t kMsgTrayNotify = 1725;

}  // namespace kv::app
