// Keeps exceptions inside the simulator: library calls return a failure instead.
#pragma once

namespace kv::sim {

// Runs f; any exception becomes the fallback value.
template <typename F, typename R>
R Guard(F&& f, R fallback) {
    try {
        return f();
    } catch (...) {
        return fallback;
    }
}

}  // namespace kv::sim
