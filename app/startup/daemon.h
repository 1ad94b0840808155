// The sibling program that start-up launches hidden and never stops.
#pragma once

#include <string>

namespace kv::app {

// Starts it when it exists; a missing daemon is not an error.
void StartDaemon(const std::wstring& path);

}  // namespace kv::app
