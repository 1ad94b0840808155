#include "app/startup/key_event_slots.h"

#include <cwchar>
#include <iterator>

namespace kv::app {

namespace {

constexpr wchar_t kKeyEventPrefix[] = L"Kelvarin_Event_";

}  // namespace

void KeyEventSlots::Create() {
    slots_.clear();
    slots_.reserve(kKeyEventSlotCount);
    for (int n = 1; n <= kKeyEventSlotCount; ++n) {
        wchar_t name[64];
        swprintf(name, std::size(name), L"%lsMain_%02d", kKeyEventPrefix, n);
        slots_.emplace_back(CreateEventW(nullptr, FALSE, FALSE, name));
    }
}

}  // namespace kv::app
