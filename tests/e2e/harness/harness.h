// The end-to-end harness: a private copy of the program with the simulated
// keyboard, named ids, reading and driving windows across processes, message
// boxes, list rows, tooltips, screenshots and polling waits.
#pragma once

#include "harness/controls.h"
#include "harness/file_dialog.h"
#include "harness/ids.h"
#include "harness/list_view.h"
#include "harness/program_copy.h"
#include "harness/program_windows.h"
#include "harness/screenshot.h"
#include "harness/tooltips.h"
#include "harness/wait.h"
