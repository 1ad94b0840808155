#include "model/sync/sync_state.h"

#include <algorithm>

namespace kv::model {

SyncState::SyncState() : default_matrix_(BuiltInKeyMatrix()) {}

KeyMapImage SyncState::DefaultMatrix() const {
    std::lock_guard lock(matrix_mutex_);
    return default_matrix_;
}

void SyncState::SetDefaultMatrix(std::span<const uint8_t, kKeyMapImageSize> matrix) {
    std::lock_guard lock(matrix_mutex_);
    std::copy(matrix.begin(), matrix.end(), default_matrix_.begin());
}

}  // namespace kv::model
