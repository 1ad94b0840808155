// The one simulated keyboard of the process, shared by the exports and the
// control pipe. Created on first use, kept until the process ends.
//
// Environment, read once at creation:
//   KELVARIN_SIM_STATE      state file path; "none" for no file. Default:
//                           "HidServSim.state" beside the library.
//   KELVARIN_SIM_UNPLUGGED  "1": the keyboard starts unplugged.
//   KELVARIN_SIM_TIMING     "1": the 1 ms USB frame model is on from the start.
//   KELVARIN_SIM_PIPE       control pipe name. Default: \\.\pipe\KelvarinKbSim
#pragma once

#include <string>

#include "sim/sim_service.h"

namespace kv::hidserv {

kv::sim::SimHidService& SimInstance();

// The control pipe name in effect (the environment's or the default).
std::wstring ControlPipeName();

}  // namespace kv::hidserv
