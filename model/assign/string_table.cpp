#include "model/assign/string_table.h"

#include <algorithm>

#include "model/try_alloc.h"

namespace kv::model {

// The slot array itself is small and made once; running out of memory here is
// not something the program can carry on from.
StringTable::StringTable() : slots_(std::make_unique<Slot[]>(kSlots)) {}

bool StringTable::Valid(int entry) const { return slots_ && entry >= 0 && entry < kSlots; }

bool StringTable::Set(int entry, std::u16string_view text) {
    if (!Valid(entry)) return false;
    Clear(entry);
    text = text.substr(0, text.find(u'\0'));
    auto copy = TryAllocate<char16_t>(text.size() + 1);
    if (!copy) return false;
    std::copy(text.begin(), text.end(), copy.get());
    copy[text.size()] = u'\0';
    Slot& slot = slots_[entry];
    slot.text = std::move(copy);
    slot.size = static_cast<uint32_t>(2 * (text.size() + 1));
    total_ += slot.size;
    return true;
}

void StringTable::Clear(int entry) {
    if (!Valid(entry)) return;
    Slot& slot = slots_[entry];
    total_ -= slot.size;
    slot.text.reset();
    slot.size = 0;
}

void StringTable::ClearAll() {
    if (!slots_) slots_ = std::make_unique<Slot[]>(kSlots);
    for (int i = 0; i < kSlots; ++i) Clear(i);
    total_ = 0;
}

std::u16string_view StringTable::Text(int entry) const {
    if (!Valid(entry) || slots_[entry].size == 0) return {};
    return std::u16string_view(slots_[entry].text.get(), slots_[entry].size / 2 - 1);
}

uint32_t StringTable::Size(int entry) const { return Valid(entry) ? slots_[entry].size : 0; }

bool StringTable::CopyFrom(const StringTable& other) {
    if (&other == this) return true;
    StringTable copy;
    for (int i = 0; i < kSlots; ++i) {
        if (other.Size(i) != 0 && !copy.Set(i, other.Text(i))) return false;
    }
    *this = std::move(copy);
    return true;
}

}  // namespace kv::model
