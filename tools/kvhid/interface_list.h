// The "list" command of kvhid: every HID interface of one vendor, as the
// system describes it, for a user's problem report.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "hidserv/hid/hid_backend.h"

namespace kv::kvhid {

struct InterfaceRow {
    std::wstring path;
    std::optional<kv::hidserv::HidCaps> caps;  // none when it could not be opened at all
    // Opened the way the library opens it (read and write for collections that are not the keyboard's).
    bool opens = false;
};

struct InterfaceList {
    size_t seen = 0;  // HID interfaces of every vendor
    std::vector<InterfaceRow> rows;
};

// The vendor's interfaces; one whose attributes cannot be read is listed when
// its path names the vendor ("vid_0c45").
InterfaceList ListInterfaces(kv::hidserv::HidBackend& backend, uint16_t vendor);
std::string FormatInterfaceList(const InterfaceList& list, uint16_t vendor);

}  // namespace kv::kvhid
