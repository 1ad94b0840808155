// Allocations whose failure the model handles (the configuration data are a
// few large blocks; running out of memory for one must not lose the others).
// Tests make chosen allocations fail to reach those paths.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <new>

namespace kv::model {

namespace detail {
struct AllocationFaults {
    std::mutex mutex;
    int skip = 0;
    int fail = 0;
};
inline AllocationFaults allocation_faults;

inline bool NextAllocationFails() {
    std::lock_guard lock(allocation_faults.mutex);
    if (allocation_faults.fail == 0) return false;
    if (allocation_faults.skip > 0) {
        --allocation_faults.skip;
        return false;
    }
    --allocation_faults.fail;
    return true;
}
}  // namespace detail

// After `skip` more allocations made through TryAllocate succeed, the next
// `count` fail. (0, 0) turns it off.
inline void FailNextAllocationsForTesting(int count, int skip = 0) {
    std::lock_guard lock(detail::allocation_faults.mutex);
    detail::allocation_faults.fail = count;
    detail::allocation_faults.skip = skip;
}

// `count` value-initialised elements, or nullptr.
template <class T>
std::unique_ptr<T[]> TryAllocate(size_t count) {
    if (detail::NextAllocationFails()) return nullptr;
    return std::unique_ptr<T[]>(new (std::nothrow) T[count]());
}

// One value-initialised object, or nullptr.
template <class T>
std::unique_ptr<T> TryAllocateOne() {
    if (detail::NextAllocationFails()) return nullptr;
    return std::unique_ptr<T>(new (std::nothrow) T());
}

}  // namespace kv::model
