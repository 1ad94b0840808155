// Standing reads, notification dispatch and the indicator status (A/B layer).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

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
    // 0x1811 / 0x1810: the keyboard says it is busy, then that it is idle again
    // (the tray shows it). Called on a short-lived thread, serialised by the
    // notifier. Should not block on the UI thread: the notifier's owner joins
    // these threads when it goes away.
    virtual void KeyboardBusy(bool busy) = 0;
};

// The consumer-control code of a CONS input: the first little-endian 16-bit value
// of the report the consumer block points to. Empty when a pointer is null or the
// report is shorter than two bytes.
std::optional<uint16_t> ReadConsumerCode(const RequestRecord& request);

class Notifier {
public:
    Notifier(DeviceLink& link, NotificationSink& sink);
    // Uninstalls itself (waiting for callbacks in flight) and joins the tray threads;
    // tray changes still queued are dropped.
    ~Notifier();
    Notifier(const Notifier&) = delete;
    Notifier& operator=(const Notifier&) = delete;

    // Installs this notifier as the one the callback reaches, then withdraws and
    // re-issues the consumer read (CONS), then the vendor read (CTRL).
    void RegisterNotifications();
    // The library callback's body; always 1, never throws.
    int OnDeviceNotification(const NotificationRecord* record);
    int WriteIndicatorStatus();

    std::array<uint8_t, 2> IndicatorStatus() const;
    int Layer() const;  // 0 = A, 1 = B
    uint32_t ControlReadUnit() const { return control_unit_; }
    uint32_t ConsumerReadUnit() const { return consumer_unit_; }

    // The C callback handed to the library; forwards to the installed notifier.
    static int Callback(const NotificationRecord* record);
    // Installing (or nullptr) waits until callbacks running on other threads have left.
    static void Install(Notifier* notifier);

private:
    void OnConsumerCode(uint16_t code);
    void OnLayerKey();
    uint32_t Reissue(std::atomic<uint32_t>& unit, const DeviceSelector& selector, uint32_t tag);
    void QueueBusyChange(bool busy);
    void RunBusyChange(uint64_t ticket, bool busy);

    struct TrayThread {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    DeviceLink& link_;
    NotificationSink& sink_;
    mutable std::recursive_mutex indicator_mutex_;
    std::array<uint8_t, 2> indicator_{0x05, 0x02};
    uint32_t indicator_unit_ = 0;
    std::atomic<uint32_t> control_unit_{0};
    std::atomic<uint32_t> consumer_unit_{0};
    // Tray icon changes take a ticket when the code arrives and run strictly in
    // that order, one at a time, so a quick busy/idle pair cannot end busy.
    std::recursive_mutex tray_mutex_;
    std::list<TrayThread> tray_threads_;
    uint64_t tray_next_ticket_ = 0;
    std::atomic<uint64_t> tray_now_serving_{0};
    std::atomic<bool> stopping_{false};
};

}  // namespace kv::device
