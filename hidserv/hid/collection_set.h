// The keyboard's collections that are open now, kept in line with the system's
// list of HID interfaces. Only the scanning thread changes the set; any thread
// may look up a collection or count them.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "hidserv/hid/collection.h"
#include "hidserv/hid/hid_backend.h"
#include "hidserv/hid/standing_reads.h"

namespace kv::hidserv {

class CollectionSet {
  public:
    // on_lost: a collection failed a transfer (any thread); a scan should follow.
    CollectionSet(HidBackend& backend, StandingReads& reads, std::function<void()> on_lost);
    ~CollectionSet();

    // Drops what is gone or failed, then opens what is new. Calls count_changed
    // with the number of keyboards on the vendor channel each time it differs from
    // the last one reported: once after the drop, once after the opening, so a
    // keyboard replugged between two scans still shows as gone and back.
    void Rescan(const std::function<void(uint32_t)>& count_changed);
    // Stops every reader and closes everything.
    void Clear();

    // The first working collection of the channel; nullptr when there is none.
    std::shared_ptr<Collection> First(Channel channel) const;
    uint32_t Count(Channel channel) const;

  private:
    std::vector<std::shared_ptr<Collection>> TakeGone(const std::set<std::wstring>& present);
    std::shared_ptr<Collection> OpenCollection(const std::wstring& path);
    void ReportCount(const std::function<void(uint32_t)>& count_changed);

    HidBackend& backend_;
    StandingReads& reads_;
    std::function<void()> on_lost_;
    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<Collection>> open_;  // in the system's order
    std::set<std::wstring> foreign_;                 // present, and not the keyboard's
    uint32_t reported_count_ = 0;
};

}  // namespace kv::hidserv
