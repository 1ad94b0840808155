#include "tools/kvhid/interface_list.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>

#include "hidserv/hid/channel.h"

namespace kv::kvhid {
namespace {

using kv::hidserv::Access;

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

bool PathNamesVendor(const std::wstring& path, uint16_t vendor) {
    wchar_t tag[16];
    std::swprintf(tag, 16, L"vid_%04x", vendor);
    return Lower(path).find(tag) != std::wstring::npos;
}

// Device paths are ASCII in practice; anything else is shown as '?'.
std::string Printable(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    return out;
}

std::string Line(const char* format, auto... values) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

}  // namespace

InterfaceList ListInterfaces(kv::hidserv::HidBackend& backend, uint16_t vendor) {
    InterfaceList list;
    const std::vector<std::wstring> paths = backend.InterfacePaths();
    list.seen = paths.size();
    for (const std::wstring& path : paths) {
        InterfaceRow row{path, std::nullopt, false};
        if (auto probe = backend.Open(path, Access::kQuery)) row.caps = probe->Caps();
        if (row.caps ? row.caps->vendor_id != vendor : !PathNamesVendor(path, vendor)) continue;
        const Access access =
            row.caps ? kv::hidserv::AccessFor(kv::hidserv::ChannelOfCaps(*row.caps)) : Access::kReadWrite;
        row.opens = backend.Open(path, access) != nullptr;
        list.rows.push_back(std::move(row));
    }
    return list;
}

std::string FormatInterfaceList(const InterfaceList& list, uint16_t vendor) {
    if (list.rows.empty())
        return Line("No HID interface of vendor %04X (of %zu HID interfaces in all).\n", vendor, list.seen) +
               "Check that the keyboard is plugged in, then try another USB port.\n";
    std::string text =
        Line("%zu HID interfaces of vendor %04X (of %zu in all):\n\n", list.rows.size(), vendor, list.seen);
    text += "product  usage page  usage  input  output  feature  access  collection\n";
    for (const InterfaceRow& row : list.rows) {
        if (row.caps) {
            const auto& c = *row.caps;
            text +=
                Line("%04X     %04X        %04X   %5u  %6u  %7u  %-6s  %s\n", c.product_id, c.usage_page,
                     c.usage, c.input_length, c.output_length, c.feature_length, row.opens ? "ok" : "in use",
                     kv::hidserv::ChannelName(kv::hidserv::ChannelOfCaps(c)));
        } else {
            text += "-        -           -          -       -        -  closed  -\n";
        }
        text += "  " + Printable(row.path) + "\n";
    }
    return text;
}

}  // namespace kv::kvhid
