#include "hidserv/hid/collection_set.h"

#include <algorithm>

namespace kv::hidserv {

CollectionSet::CollectionSet(HidBackend& backend, StandingReads& reads, std::function<void()> on_lost)
    : backend_(backend), reads_(reads), on_lost_(std::move(on_lost)) {}

CollectionSet::~CollectionSet() { Clear(); }

void CollectionSet::Clear() {
    std::vector<std::shared_ptr<Collection>> closing;
    {
        std::lock_guard lock(mutex_);
        closing.swap(open_);
        foreign_.clear();
    }
    for (const auto& c : closing) c->Stop();
}

std::vector<std::shared_ptr<Collection>> CollectionSet::TakeGone(const std::set<std::wstring>& present) {
    std::lock_guard lock(mutex_);
    std::vector<std::shared_ptr<Collection>> gone;
    auto keep = std::stable_partition(
        open_.begin(), open_.end(), [&](const auto& c) { return c->Alive() && present.contains(c->Path()); });
    gone.assign(keep, open_.end());
    open_.erase(keep, open_.end());
    std::erase_if(foreign_, [&](const std::wstring& path) { return !present.contains(path); });
    return gone;
}

void CollectionSet::ReportCount(const std::function<void(uint32_t)>& count_changed) {
    const uint32_t count = Count(Channel::kVendor);
    if (count == reported_count_) return;
    reported_count_ = count;
    if (count_changed) count_changed(count);
}

std::shared_ptr<Collection> CollectionSet::OpenCollection(const std::wstring& path) {
    std::unique_ptr<HidDevice> probe = backend_.Open(path, Access::kQuery);
    if (!probe) return nullptr;  // vanished or locked away: try again on the next scan
    const std::optional<HidCaps> caps = probe->Caps();
    const Channel channel = caps ? ChannelOfCaps(*caps) : Channel::kNone;
    probe.reset();
    if (channel == Channel::kNone) {
        std::lock_guard lock(mutex_);
        foreign_.insert(path);
        return nullptr;
    }
    std::unique_ptr<HidDevice> device = backend_.Open(path, AccessFor(channel));
    if (!device) return nullptr;
    return std::make_shared<Collection>(path, channel, *caps, std::move(device), reads_, on_lost_);
}

void CollectionSet::Rescan(const std::function<void(uint32_t)>& count_changed) {
    const std::vector<std::wstring> paths = backend_.InterfacePaths();
    const std::set<std::wstring> present(paths.begin(), paths.end());
    for (const auto& c : TakeGone(present)) c->Stop();
    ReportCount(count_changed);

    for (const std::wstring& path : paths) {
        {
            std::lock_guard lock(mutex_);
            if (foreign_.contains(path) ||
                std::any_of(open_.begin(), open_.end(), [&](const auto& c) { return c->Path() == path; }))
                continue;
        }
        if (auto opened = OpenCollection(path)) {
            std::lock_guard lock(mutex_);
            open_.push_back(std::move(opened));
        }
    }
    ReportCount(count_changed);
}

std::shared_ptr<Collection> CollectionSet::First(Channel channel) const {
    std::lock_guard lock(mutex_);
    for (const auto& c : open_)
        if (c->ChannelKind() == channel && c->Alive()) return c;
    return nullptr;
}

uint32_t CollectionSet::Count(Channel channel) const {
    std::lock_guard lock(mutex_);
    return static_cast<uint32_t>(std::count_if(open_.begin(), open_.end(), [&](const auto& c) {
        return c->ChannelKind() == channel && c->Alive();
    }));
}

}  // namespace kv::hidserv
