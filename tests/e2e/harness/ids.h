// The numbers the end-to-end tests drive the program by, as the tests pin
// them: control ids of the main window's template, the program's window
// messages and their codes, menu commands. They are written out here on
// purpose, not taken from the program's headers, so that a renumbering fails.
#pragma once

#include <windows.h>

namespace kv::e2e::ids {

// Main window (template 102).
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kG[9] = {1000, 1001, 1002, 1003, 1004, 1140, 1141, 1142, 1143};
constexpr int kProfileManager = 1005;
constexpr int kApply = 1006;
constexpr int kMacro = 1007;
constexpr int kTestButton = 1008;
constexpr int kDynamicMenu = 1009;
constexpr int kKeyFirst = 1010;  // key buttons 1010..1120
constexpr int kKeyLast = 1120;
constexpr int kF1 = 1010;
constexpr int kF4 = 1013;
constexpr int kD1 = 1016;  // D1..D6: 1016..1021
constexpr int kD6 = 1021;
constexpr int kKeyA = 1058;
constexpr int kKeyUnused = 1057;
constexpr int kMakerLink = 1121;
constexpr int kHelp = 1122;
constexpr int kMinimize = 1123;
constexpr int kClose = 1124;
constexpr int kLockCaps = 1125;
constexpr int kLockAB = 1128;
constexpr int kFlip0 = 1129;
constexpr int kFlip1 = 1130;
constexpr int kFlip2 = 1131;
constexpr int kLeftArrow = 1132;
constexpr int kRightArrow = 1133;
constexpr int kVersion = 1134;
constexpr int kProfile[3] = {1135, 1136, 1137};
constexpr int kDefault = 1138;
constexpr int kMenu = 1139;
constexpr int kSwitch = 1144;
constexpr int kTrackbar1 = 1145;
constexpr int kTrackbar2 = 1153;
constexpr int kModeList = 1146;
constexpr int kReport[4] = {1147, 1168, 1169, 1170};
constexpr int kFn = 1174;
constexpr int kFacebook = 1209;
constexpr int kTwitter = 1210;
// Lighting panel.
constexpr int kLamp = 1167;
constexpr int kLampLabel = 1171;
constexpr int kBrightnessLabel = 1172;
constexpr int kBrightnessSlider = 1178;
constexpr int kSpeedLabel = 1166;
constexpr int kSpeedSlider = 1179;
constexpr int kDirectionLabel = 1148;
constexpr int kDirectionFirst = 1149;
constexpr int kDirectionSecond = 1150;
constexpr int kUserMapList = 1198;
constexpr int kToolLabel = 1163;
constexpr int kToolPaint = 1164;
constexpr int kToolErase = 1165;
constexpr int kClearAll = 1156;
constexpr int kClearAllLabel = 1173;
constexpr int kMarkAll = 1207;
constexpr int kMarkAllLabel = 1208;
constexpr int kBusyIndicator = 1177;
constexpr int kUsbLabel = 1204;

// Window messages of the main window and their codes.
constexpr UINT kMsgKill = 0x4D4B;                 // 'MK'
constexpr UINT kMsgShow = 0x5350;                 // 'SP'
constexpr UINT kMsgInit = 0x4D4E;                 // 'MN'
constexpr UINT kMsgReload = 0x5452;               // 'TR'
constexpr UINT kMsgLayer = 0x5045;                // 'PE'
constexpr UINT kMsgLanguage = 0x5041;             // 'PA'
constexpr UINT kMsgGoneSub = 0x4753;              // 'GS'
constexpr UINT kMsgLiveKeyHooks = WM_APP + 0x32;  // answers the assignment dialog's hooks
constexpr UINT kSliderPosition = 0x28D1;
constexpr UINT kTrayCallback = 1725;
constexpr WPARAM kCodeOpen = 0x4F50454E;
constexpr WPARAM kCodeKill = 0x4C4C494B;
constexpr WPARAM kCodeInit = 0x494E4954;
constexpr WPARAM kCodeProf = 0x50524F46;
constexpr WPARAM kCodeLed = 0x004C4544;
constexpr WPARAM kCodeLang = 0x4C414E47;
constexpr LONG_PTR kMainMarker = 0x4D41494E;  // 'MAIN', the main window's user data

// Menu commands.
constexpr UINT kTrayIconId = 140;  // also the tray menu's resource
constexpr WPARAM kTrayOpen = 32771;
constexpr WPARAM kTrayAbout = 32773;
constexpr WPARAM kTrayExit = 32774;
constexpr WPARAM kRestore = 32776;
constexpr WPARAM kBackup = 32777;

// Languages as the program stores them ("dwLanguageId").
constexpr DWORD kEnglish = 0x0409;
constexpr DWORD kChineseSimplified = 0x0804;

}  // namespace kv::e2e::ids
