// Rows of a list view of another process: the texts are copied through
// memory that the harness allocates in that process.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kv::e2e {

using ListRow = std::vector<std::wstring>;

// Every row with the texts of every column; nothing when the process cannot be reached.
std::optional<std::vector<ListRow>> ListRows(HWND list);

}  // namespace kv::e2e
