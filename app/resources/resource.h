// Resource ids of Kelvarin.exe outside the main window's template (those are
// in ui/main/main_window_ids.h). Other programs and the tests rely on these
// numbers: do not renumber.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDR_MAINFRAME 128
#define IDR_TRAY_MENU 140
#define IDI_TRAY_ATTACHED 141
#define IDI_TRAY_BUSY 142

// About box.
#define IDC_ABOUT_LINK 1124
#define IDC_ABOUT_LINE2 1205
#define IDC_ABOUT_LINE1 1206

#define ID_TRAY_OPEN 32771
#define ID_TRAY_ABOUT 32773
#define ID_TRAY_EXIT 32774

#define IDM_ABOUTBOX 0x0010
