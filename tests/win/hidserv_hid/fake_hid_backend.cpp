#include "fake_hid_backend.h"

#include <algorithm>
#include <stdexcept>
#include <thread>

#include "hidserv/HidServ.h"

namespace kv::hidserv::test {
namespace {

class FakeWatch final : public ChangeWatch {
  public:
    explicit FakeWatch(std::shared_ptr<std::function<void()>> slot) : slot_(std::move(slot)) {}
    ~FakeWatch() override { *slot_ = nullptr; }

  private:
    std::shared_ptr<std::function<void()>> slot_;
};

}  // namespace

// One opened handle.
class FakeHandle final : public HidDevice {
  public:
    explicit FakeHandle(std::shared_ptr<FakeCollection> c) : c_(std::move(c)) {}

    std::optional<HidCaps> Caps() override { return c_->caps; }

    IoResult Read(std::span<uint8_t> buffer) override {
        std::unique_lock lock(c_->mutex_);
        ++c_->reads_pending_;
        c_->changed_.notify_all();
        c_->changed_.wait(lock, [&] { return cancelled_ || !c_->present_ || !c_->inputs_.empty(); });
        --c_->reads_pending_;
        if (cancelled_) return {IoStatus::kCancelled, 0};
        if (!c_->present_) return {IoStatus::kGone, 0};
        FakeCollection::Input input = std::move(c_->inputs_.front());
        c_->inputs_.erase(c_->inputs_.begin());
        std::copy_n(input.bytes.begin(), std::min(input.bytes.size(), buffer.size()), buffer.begin());
        return {IoStatus::kDone, input.reported.value_or(std::min(input.bytes.size(), buffer.size()))};
    }

    IoResult Write(std::span<const uint8_t> report, std::chrono::milliseconds limit) override {
        const int now = ++c_->at_once_;
        int most = c_->most_at_once_;
        while (now > most && !c_->most_at_once_.compare_exchange_weak(most, now)) {
        }
        IoResult result = WriteLocked(report, limit);
        --c_->at_once_;
        return result;
    }

    bool SetOutputReport(std::span<const uint8_t> report) override {
        std::lock_guard lock(c_->mutex_);
        if (!c_->present_ || !c_->output_report_works_) return false;
        c_->output_reports_.emplace_back(report.begin(), report.end());
        return true;
    }

    void CancelReads() override {
        std::lock_guard lock(c_->mutex_);
        cancelled_ = true;
        c_->changed_.notify_all();
    }

  private:
    IoResult WriteLocked(std::span<const uint8_t> report, std::chrono::milliseconds limit) {
        std::function<void(FakeCollection&, const Bytes&)> responder;
        Bytes bytes(report.begin(), report.end());
        {
            std::unique_lock lock(c_->mutex_);
            if (c_->write_delay_.count() > 0) {
                lock.unlock();
                std::this_thread::sleep_for(c_->write_delay_);
                lock.lock();
            }
            if (!c_->present_) return {IoStatus::kGone, 0};
            if (c_->write_mode_ == WriteMode::kRefuse) return {IoStatus::kRefused, 0};
            if (c_->write_mode_ == WriteMode::kHang) {
                ++c_->writes_pending_;
                c_->changed_.notify_all();
                const bool gone = c_->changed_.wait_for(lock, limit, [&] { return !c_->present_; });
                --c_->writes_pending_;
                return {gone ? IoStatus::kGone : IoStatus::kTimedOut, 0};
            }
            c_->writes_.push_back(bytes);
            responder = c_->responder_;
        }
        if (responder) responder(*c_, bytes);
        return {IoStatus::kDone, bytes.size()};
    }

    std::shared_ptr<FakeCollection> c_;
    bool cancelled_ = false;  // guarded by the collection's mutex
};

void FakeCollection::PushInput(Bytes report, std::optional<size_t> bytes_reported) {
    std::lock_guard lock(mutex_);
    inputs_.push_back({std::move(report), bytes_reported});
    changed_.notify_all();
}

void FakeCollection::OnWrite(std::function<void(FakeCollection&, const Bytes&)> responder) {
    std::lock_guard lock(mutex_);
    responder_ = std::move(responder);
}

void FakeCollection::SetWriteMode(WriteMode mode) {
    std::lock_guard lock(mutex_);
    write_mode_ = mode;
}

void FakeCollection::SetOutputReportWorks(bool works) {
    std::lock_guard lock(mutex_);
    output_report_works_ = works;
}

void FakeCollection::SetWriteDelay(std::chrono::milliseconds delay) {
    std::lock_guard lock(mutex_);
    write_delay_ = delay;
}

Bytes FakeCollection::LastWrite() const {
    std::lock_guard lock(mutex_);
    return writes_.empty() ? Bytes{} : writes_.back();
}

std::vector<Bytes> FakeCollection::Writes() const {
    std::lock_guard lock(mutex_);
    return writes_;
}

std::vector<Bytes> FakeCollection::OutputReports() const {
    std::lock_guard lock(mutex_);
    return output_reports_;
}

bool FakeCollection::ReadPending() const {
    std::lock_guard lock(mutex_);
    return reads_pending_ > 0;
}

bool FakeCollection::WritePending() const {
    std::lock_guard lock(mutex_);
    return writes_pending_ > 0;
}

std::shared_ptr<FakeCollection> FakeHidBackend::Plug(const std::wstring& path, const HidCaps& caps) {
    Unplug(path);
    auto collection = std::make_shared<FakeCollection>(caps);
    std::lock_guard lock(mutex_);
    present_.emplace_back(path, collection);
    return collection;
}

void FakeHidBackend::Unplug(const std::wstring& path) {
    std::lock_guard lock(mutex_);
    auto it = std::find_if(present_.begin(), present_.end(), [&](const auto& p) { return p.first == path; });
    if (it == present_.end()) return;
    {
        std::lock_guard device_lock(it->second->mutex_);
        it->second->present_ = false;
        it->second->changed_.notify_all();
    }
    present_.erase(it);
}

void FakeHidBackend::Notify() {
    std::function<void()> callback;
    {
        std::lock_guard lock(mutex_);
        if (on_change_) callback = *on_change_;
    }
    if (callback) callback();
}

void FakeHidBackend::RefuseOpen(const std::wstring& path, Access access) {
    std::lock_guard lock(mutex_);
    refused_[{path, access}] = true;
}

int FakeHidBackend::QueryOpens(const std::wstring& path) const {
    std::lock_guard lock(mutex_);
    auto it = query_opens_.find(path);
    return it == query_opens_.end() ? 0 : it->second;
}

std::vector<std::wstring> FakeHidBackend::InterfacePaths() {
    if (throwing_) {
        ++throws_;
        throw std::runtime_error("InterfacePaths");
    }
    std::lock_guard lock(mutex_);
    std::vector<std::wstring> paths;
    for (const auto& p : present_) paths.push_back(p.first);
    return paths;
}

std::unique_ptr<HidDevice> FakeHidBackend::Open(const std::wstring& path, Access access) {
    if (throwing_) {
        ++throws_;
        throw std::runtime_error("Open");
    }
    std::lock_guard lock(mutex_);
    if (refused_.contains({path, access})) return nullptr;
    auto it = std::find_if(present_.begin(), present_.end(), [&](const auto& p) { return p.first == path; });
    if (it == present_.end()) return nullptr;
    if (access == Access::kQuery) {
        ++query_opens_[path];
    } else {
        ++it->second->transfer_opens_;
        it->second->last_access_ = access;
    }
    return std::make_unique<FakeHandle>(it->second);
}

std::unique_ptr<ChangeWatch> FakeHidBackend::WatchChanges(std::function<void()> on_change) {
    std::lock_guard lock(mutex_);
    if (!watchable_) return nullptr;
    on_change_ = std::make_shared<std::function<void()>>(std::move(on_change));
    return std::make_unique<FakeWatch>(on_change_);
}

HidCaps VendorCaps(uint16_t input, uint16_t output) {
    HidCaps caps;
    caps.vendor_id = HIDSERV_VENDOR_ID;
    caps.product_id = HIDSERV_PRODUCT_ID;
    caps.usage_page = HIDSERV_PAGE_VENDOR;
    caps.usage = HIDSERV_USAGE_VENDOR;
    caps.input_length = input;
    caps.output_length = output;
    return caps;
}

HidCaps ConsumerCaps() {
    HidCaps caps = WithUsage(VendorCaps(), HIDSERV_PAGE_CONSUMER, HIDSERV_USAGE_CONSUMER);
    caps.input_length = 3;
    caps.output_length = 0;
    return caps;
}

HidCaps IndicatorCaps() {
    HidCaps caps = WithUsage(VendorCaps(), HIDSERV_PAGE_INDICATOR, HIDSERV_USAGE_INDICATOR);
    caps.input_length = 0;
    caps.output_length = 2;
    return caps;
}

HidCaps WithIds(HidCaps caps, uint16_t vendor, uint16_t product) {
    caps.vendor_id = vendor;
    caps.product_id = product;
    return caps;
}

HidCaps WithUsage(HidCaps caps, uint16_t page, uint16_t usage) {
    caps.usage_page = page;
    caps.usage = usage;
    return caps;
}

}  // namespace kv::hidserv::test
