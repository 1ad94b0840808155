// Standing reads, notification dispatch and the indicator status (A/B layer).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "device/commands.h"
#include "device/service.h"

namespace kv::device {

// Consumer-control codes the keyboard sends on its own.
enum ConsumerCode : uint16_t {
    kConsLayerKey = 0x02FF,
    kConsLightingChanged = 0x0401,
    kConsBusyBegin = 0x1811,
    kConsBusyEnd = 0x1810,
};

// Reactions that belong to windows and sync; the program implements them, tests fake them.
class NotificationSink {
public:
    virtual ~NotificationSink() = default;
    // Keyboard count changed: start a read-back run with this count (on a new thread).
    virtual void StartReadBack(int count) = 0;
    // Layer key handled and indicator written: refresh the G keys ('PE' with 'LED', captions).
    virtual void LayerChanged(int layer) = 0;
    // 0x0401: the keyboard changed its lighting (timer 1051 reads it back).
    virtual void LightingChanged() = 0;
    // Tray icon: mode 1 = busy icon, mode 0 with id 0 = back to the presence icon.
    // Called on a short-lived thread, serialised by the notifier.
    virtual void SetTrayIcon(int mode, int icon_id) = 0;
};

class Notifier {
public:
    Notifier(DeviceLink& link, NotificationSink& sink);
    ~Notifier();

    // Withdraws and re-issues the consumer read (CONS), then the vendor read (CTRL).
    void RegisterNotifications();
    // The library callback's body; always 1.
    int OnDeviceNotification(const NotificationRecord* record);
    int WriteIndicatorStatus();

    std::array<uint8_t, 2> IndicatorStatus() const;
    int Layer() const;  // 0 = A, 1 = B
    uint32_t ControlReadUnit() const { return control_unit_; }
    uint32_t ConsumerReadUnit() const { return consumer_unit_; }

    // The C callback handed to the library; forwards to the installed notifier.
    static int Callback(const NotificationRecord* record);
    static void Install(Notifier* notifier);

private:
    DeviceLink& link_;
    NotificationSink& sink_;
    mutable std::mutex indicator_mutex_;
    std::array<uint8_t, 2> indicator_{0x05, 0x02};
    uint32_t indicator_unit_ = 0;
    std::atomic<uint32_t> control_unit_{0};
    std::atomic<uint32_t> consumer_unit_{0};
    std::atomic<int> tray_icon_busy_{0};
};

}  // namespace kv::device
