// Template and control ids of the firmware update dialog. Other programs and
// the tests rely on these numbers: do not renumber.
#pragma once

#define IDD_UPDATE_DIALOG 149
#define IDC_UPDATE_START 1147
#define IDC_UPDATE_PROGRAMS 1178
#define IDC_UPDATE_PATH 1179
#define IDC_UPDATE_CANCEL 1180
#define IDC_UPDATE_OPEN 1181
#define IDC_UPDATE_BACKUP 1182
