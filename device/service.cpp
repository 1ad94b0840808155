#include "device/service.h"

#include <array>

namespace kv::device {

namespace {

constexpr std::array<const char*, 12> kExportNames = {
    "Init",
    "RequestGetDeviceCount",
    "RequestWriteOne",
    "RequestAsyncRead",
    "RequestStatusWrite",
    "DeleteRequestFromUnitId",
    "Debug",
    "End",
    "DeleteRequestFromHandle",
    "RequestWrite",
    "RequestStatusGet",
    "RequestStatusSetFeature",
};

template <typename Fn>
Fn As(void* address) {
    return reinterpret_cast<Fn>(address);
}

// Forwards to the six exports the program calls; the other six only have to exist.
class BoundService final : public DeviceService {
public:
    explicit BoundService(const std::array<void*, kExportNames.size()>& a)
        : init_(As<HidServ_Init>(a[0])),
          get_count_(As<HidServ_RequestGetDeviceCount>(a[1])),
          write_one_(As<HidServ_RequestWriteOne>(a[2])),
          async_read_(As<HidServ_RequestAsyncRead>(a[3])),
          status_write_(As<HidServ_RequestStatusWrite>(a[4])),
          delete_unit_(As<HidServ_DeleteRequestFromUnitId>(a[5])) {}

    int Init(int flags) override { return init_(flags); }
    int RequestGetDeviceCount(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                              uint32_t check, uint32_t* unit_out) override {
        return get_count_(selector, callback, tag, check, unit_out);
    }
    int RequestWriteOne(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                        const uint8_t* data, uint32_t length, uint32_t check, uint32_t* unit_out) override {
        return write_one_(selector, callback, tag, data, length, check, unit_out);
    }
    int RequestAsyncRead(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                         uint32_t check, uint32_t* unit_out) override {
        return async_read_(selector, callback, tag, check, unit_out);
    }
    int RequestStatusWrite(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                           const uint8_t* data, uint32_t length, uint32_t check,
                           uint32_t* unit_out) override {
        return status_write_(selector, callback, tag, data, length, check, unit_out);
    }
    int DeleteRequestFromUnitId(uint32_t unit) override { return delete_unit_(unit); }

private:
    HidServ_Init init_;
    HidServ_RequestGetDeviceCount get_count_;
    HidServ_RequestWriteOne write_one_;
    HidServ_RequestAsyncRead async_read_;
    HidServ_RequestStatusWrite status_write_;
    HidServ_DeleteRequestFromUnitId delete_unit_;
};

}  // namespace

std::span<const char* const> ExportNames() { return kExportNames; }

std::unique_ptr<DeviceService> BindDeviceService(const ExportResolver& resolve) {
    if (!resolve) return nullptr;
    std::array<void*, kExportNames.size()> addresses{};
    for (size_t i = 0; i < kExportNames.size(); ++i) {
        addresses[i] = resolve(kExportNames[i]);
        if (addresses[i] == nullptr) return nullptr;
    }
    return std::make_unique<BoundService>(addresses);
}

DeviceSelector MakeSelector(uint16_t usage_page, uint16_t usage) {
    DeviceSelector selector{};
    selector.size_tag = HIDSERV_SELECTOR_TAG;
    selector.vendor_id = HIDSERV_VENDOR_ID;
    selector.product_id = HIDSERV_PRODUCT_ID;
    selector.usage_page = usage_page;
    selector.usage = usage;
    return selector;
}

DeviceSelector VendorSelector() { return MakeSelector(HIDSERV_PAGE_VENDOR, HIDSERV_USAGE_VENDOR); }
DeviceSelector ConsumerSelector() { return MakeSelector(HIDSERV_PAGE_CONSUMER, HIDSERV_USAGE_CONSUMER); }
DeviceSelector IndicatorSelector() { return MakeSelector(HIDSERV_PAGE_INDICATOR, HIDSERV_USAGE_INDICATOR); }

uint32_t RequestCheck(const DeviceSelector& selector, HidServCallback callback, uint32_t tag,
                      std::span<const uint8_t> data) {
    return HidServRequestCheck(&selector, callback, tag, data.data(), static_cast<uint32_t>(data.size()));
}

}  // namespace kv::device
