// The simulator's control language: one text line in, one text answer out.
// kbsim sends these lines to a running simulated HidServ.dll; native tests can
// run them directly. The answer's first line is "ok" or "error: <reason>";
// any output follows on the next lines.
#pragma once

#include <string>
#include <string_view>

#include "sim/sim_service.h"

namespace kv::sim {

std::string RunControlCommand(SimHidService& service, std::string_view line);

// The command summary that "help" prints.
std::string ControlHelp();

}  // namespace kv::sim
