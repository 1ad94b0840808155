// The twelve exports of the simulated HidServ.dll. Nothing thrown inside the
// simulator crosses this boundary.
#include <windows.h>

#include "hidserv/HidServ.h"
#include "hidserv/sim/sim_instance.h"

namespace {

template <typename F>
int Safely(F&& f) {
    try {
        return f(kv::hidserv::SimInstance());
    } catch (...) {
        return 0;
    }
}

}  // namespace

extern "C" {

HIDSERV_API int Init(int flags) {
    return Safely([&](auto& sim) { return sim.Init(flags); });
}

HIDSERV_API int RequestGetDeviceCount(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                      uint32_t check, uint32_t* unit_out) {
    return Safely(
        [&](auto& sim) { return sim.RequestGetDeviceCount(selector, callback, tag, check, unit_out); });
}

HIDSERV_API int RequestWriteOne(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                const uint8_t* data, uint32_t length, uint32_t check, uint32_t* unit_out) {
    return Safely([&](auto& sim) {
        return sim.RequestWriteOne(selector, callback, tag, data, length, check, unit_out);
    });
}

HIDSERV_API int RequestAsyncRead(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                 uint32_t check, uint32_t* unit_out) {
    return Safely([&](auto& sim) { return sim.RequestAsyncRead(selector, callback, tag, check, unit_out); });
}

HIDSERV_API int RequestStatusWrite(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                   const uint8_t* data, uint32_t length, uint32_t check, uint32_t* unit_out) {
    return Safely([&](auto& sim) {
        return sim.RequestStatusWrite(selector, callback, tag, data, length, check, unit_out);
    });
}

HIDSERV_API int DeleteRequestFromUnitId(uint32_t unit) {
    return Safely([&](auto& sim) { return sim.DeleteRequestFromUnitId(unit); });
}

// Present for completeness; the program never calls these.
HIDSERV_API int Debug(int) { return 1; }

HIDSERV_API int End(void) { return 1; }

HIDSERV_API int DeleteRequestFromHandle(void*) { return 0; }

// A plain write behaves as the single-report write.
HIDSERV_API int RequestWrite(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                             const uint8_t* data, uint32_t length, uint32_t check, uint32_t* unit_out) {
    return RequestWriteOne(selector, callback, tag, data, length, check, unit_out);
}

HIDSERV_API int RequestStatusGet(const DeviceSelector*, HidServCallback, uint32_t, uint32_t, uint32_t*) {
    return 0;
}

HIDSERV_API int RequestStatusSetFeature(const DeviceSelector*, HidServCallback, uint32_t, const uint8_t*,
                                        uint32_t, uint32_t, uint32_t*) {
    return 0;
}

}  // extern "C"
