// Serves the simulator's control language on a named pipe, one message-mode
// request and answer per connection, on a library thread of its own.
#pragma once

#include <string>

#include "sim/sim_service.h"

namespace kv::hidserv {

// Starts the server thread; false when the thread cannot be started.
bool StartControlPipe(kv::sim::SimHidService& service, const std::wstring& name);

}  // namespace kv::hidserv
