#include "device/notify.h"

#include <climits>
#include <cstring>

namespace kv::device {

std::optional<uint16_t> ReadConsumerCode(const RequestRecord& request) {
    if (request.consumer_block == nullptr || request.count < 2) return std::nullopt;
    const uint8_t* report = nullptr;
    // The pointer inside the library's block is not aligned.
    std::memcpy(&report, request.consumer_block + HIDSERV_CONSUMER_DATA_OFFSET, sizeof report);
    if (report == nullptr) return std::nullopt;
    return static_cast<uint16_t>(report[0] | report[1] << 8);
}

Notifier::Notifier(DeviceLink& link, NotificationSink& sink) : link_(link), sink_(sink) {}

void Notifier::RegisterNotifications() {
    // The reads name the shared callback; make sure it leads here.
    Install(this);
    consumer_unit_ = Reissue(consumer_unit_, ConsumerSelector(), HIDSERV_TAG_CONS);
    control_unit_ = Reissue(control_unit_, VendorSelector(), HIDSERV_TAG_CTRL);
}

uint32_t Notifier::Reissue(std::atomic<uint32_t>& unit, const DeviceSelector& selector, uint32_t tag) {
    DeviceService& service = link_.Service();
    service.DeleteRequestFromUnitId(unit.load());
    uint32_t fresh = 0;
    service.RequestAsyncRead(&selector, &Notifier::Callback, tag,
                             RequestCheck(selector, &Notifier::Callback, tag), &fresh);
    return fresh;
}

int Notifier::OnDeviceNotification(const NotificationRecord* record) {
    try {
        if (record == nullptr || record->request == nullptr) return 1;
        const RequestRecord& request = *record->request;
        if (record->kind == HIDSERV_KIND_INPUT && request.tag == HIDSERV_TAG_CTRL) {
            link_.OnReply(request.data, request.count);
        } else if (record->kind == HIDSERV_KIND_INPUT && request.tag == HIDSERV_TAG_CONS) {
            if (const auto code = ReadConsumerCode(request)) OnConsumerCode(*code);
        } else if (record->kind == HIDSERV_KIND_COUNT && request.tag == HIDSERV_TAG_CTRL) {
            sink_.StartReadBack(static_cast<int>(std::min<uint32_t>(request.count, INT_MAX)));
        }
    } catch (...) {
        // The library's thread must never see an exception.
    }
    return 1;
}

void Notifier::OnConsumerCode(uint16_t code) {
    switch (code) {
        case kConsLayerKey:
            OnLayerKey();
            break;
        case kConsLightingChanged:
            sink_.LightingChanged();
            break;
        case kConsBusyBegin:
            QueueBusyChange(true);
            break;
        case kConsBusyEnd:
            QueueBusyChange(false);
            break;
        default:
            break;
    }
}

void Notifier::OnLayerKey() {
    int layer = 0;
    {
        std::lock_guard lock(indicator_mutex_);
        indicator_[1] ^= 0x01;
        layer = indicator_[1] & 0x01;
        WriteIndicatorStatus();
    }
    sink_.LayerChanged(layer);
}

int Notifier::WriteIndicatorStatus() {
    std::lock_guard lock(indicator_mutex_);
    DeviceService& service = link_.Service();
    service.DeleteRequestFromUnitId(indicator_unit_);
    const DeviceSelector selector = IndicatorSelector();
    const std::array<uint8_t, 2> status = indicator_;
    uint32_t unit = 0;
    const int result = service.RequestStatusWrite(
        &selector, &Notifier::Callback, HIDSERV_TAG_LED, status.data(), status.size(),
        RequestCheck(selector, &Notifier::Callback, HIDSERV_TAG_LED, status), &unit);
    indicator_unit_ = unit;
    return result;
}

std::array<uint8_t, 2> Notifier::IndicatorStatus() const {
    std::lock_guard lock(indicator_mutex_);
    return indicator_;
}

int Notifier::Layer() const { return IndicatorStatus()[1] & 0x01; }

}  // namespace kv::device
