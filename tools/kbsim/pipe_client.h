// Sends one control line to the simulated keyboard's pipe and returns the answer.
#pragma once

#include <optional>
#include <string>

namespace kv::kbsim {

// nullopt when no simulator answers within the timeout.
std::optional<std::string> SendControlLine(const std::wstring& pipe, const std::string& line,
                                           unsigned timeout_ms);

}  // namespace kv::kbsim
