// The "ping" command of kvhid: one settings-block read through the device
// library, as the program would send it.
#pragma once

#include <string>

namespace kv::kvhid {

// Loads the library at the path, reads the settings block once and prints what
// happened. 0 when the keyboard answered with success, otherwise 1.
int Ping(const std::wstring& library_path);

}  // namespace kv::kvhid
