// Template and control ids of the profile manager. Other programs and the
// tests rely on these numbers: do not renumber.
#pragma once

#define IDD_PROFILE_DIALOG 131
#define IDC_PROFILE_LIST 1007
#define IDC_PROFILE_LOAD 1008
#define IDC_PROFILE_ADD 1010
#define IDC_PROFILE_DELETE 1011
#define IDC_PROFILE_APPLY 1012
