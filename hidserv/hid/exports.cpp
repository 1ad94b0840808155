// The twelve exports of the hid build of HidServ.dll, over one HidService on
// the real backend. The service and its threads live until the process ends.
#include <windows.h>

#include "hidserv/HidServ.h"
#include "hidserv/hid/hid_service.h"
#include "hidserv/hid/win_hid_backend.h"

namespace {

using kv::hidserv::HidService;

HidService* Create() noexcept {
    try {
        // Pinned: the threads keep running code of this module even should a caller free it.
        HMODULE self = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCWSTR>(&Create), &self);
        static auto* backend = new kv::hidserv::WinHidBackend();
        return new HidService(*backend);
    } catch (...) {
        return nullptr;
    }
}

HidService* Service() noexcept {
    static HidService* const service = Create();
    return service;
}

}  // namespace

extern "C" {

HIDSERV_API int Init(int flags) {
    HidService* s = Service();
    return s ? s->Init(flags) : 0;
}

HIDSERV_API int RequestGetDeviceCount(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                      uint32_t check, uint32_t* unit_out) {
    HidService* s = Service();
    return s ? s->RequestGetDeviceCount(selector, callback, tag, check, unit_out) : 0;
}

HIDSERV_API int RequestWriteOne(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                const uint8_t* data, uint32_t length, uint32_t check, uint32_t* unit_out) {
    HidService* s = Service();
    return s ? s->RequestWriteOne(selector, callback, tag, data, length, check, unit_out) : 0;
}

HIDSERV_API int RequestAsyncRead(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                 uint32_t check, uint32_t* unit_out) {
    HidService* s = Service();
    return s ? s->RequestAsyncRead(selector, callback, tag, check, unit_out) : 0;
}

HIDSERV_API int RequestStatusWrite(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                   const uint8_t* data, uint32_t length, uint32_t check, uint32_t* unit_out) {
    HidService* s = Service();
    return s ? s->RequestStatusWrite(selector, callback, tag, data, length, check, unit_out) : 0;
}

HIDSERV_API int DeleteRequestFromUnitId(uint32_t unit) {
    HidService* s = Service();
    return s ? s->DeleteRequestFromUnitId(unit) : 0;
}

// Exported because callers check for all twelve; nothing calls them, and they do nothing.
HIDSERV_API int Debug(int) { return 0; }

HIDSERV_API int End(void) { return 0; }

HIDSERV_API int DeleteRequestFromHandle(void*) { return 0; }

HIDSERV_API int RequestWrite(const DeviceSelector*, HidServCallback, uint32_t, const uint8_t*, uint32_t,
                             uint32_t, uint32_t*) {
    return 0;
}

HIDSERV_API int RequestStatusGet(const DeviceSelector*, HidServCallback, uint32_t, uint32_t, uint32_t*) {
    return 0;
}

HIDSERV_API int RequestStatusSetFeature(const DeviceSelector*, HidServCallback, uint32_t, const uint8_t*,
                                        uint32_t, uint32_t, uint32_t*) {
    return 0;
}

}  // extern "C"
