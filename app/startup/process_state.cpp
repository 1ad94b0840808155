#include "app/startup/process_state.h"

namespace kv::app {

ProcessState& Process() {
    static ProcessState state;
    return state;
}

}  // namespace kv::app
