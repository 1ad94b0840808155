// The keyboard's three top-level collections, as selectors name them and as
// the system describes them.
#pragma once

#include <cstdint>

#include "hidserv/HidServ.h"
#include "hidserv/hid/hid_backend.h"

namespace kv::hidserv {

enum class Channel : uint8_t {
    kNone,
    kVendor,     // 0xFF1C / 0x0092: count, command reports, replies
    kConsumer,   // 0x000C / 0x0001: the keyboard's special keys
    kIndicator,  // 0x0008 / 0x0089: the indicator status output
};

// kNone unless the selector is well formed and names one of the keyboard's collections.
Channel ChannelOfSelector(const DeviceSelector* selector);
// kNone for every collection that is not one of the keyboard's three.
Channel ChannelOfCaps(const HidCaps& caps);
const char* ChannelName(Channel channel);
// What the library opens a collection of the channel for: no more than it uses,
// so a collection the system shares for reading (consumer control) still opens.
Access AccessFor(Channel channel);

}  // namespace kv::hidserv
