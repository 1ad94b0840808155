// The strings of launch-program and text-block assignments: one slot per
// assignment entry, each a separately allocated NUL-terminated UTF-16 string,
// plus the running total of their sizes (the size of the packed string area).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "model/assign/key_assignment.h"

namespace kv::model {

class StringTable {
  public:
    static constexpr int kSlots = kEntryCount;

    StringTable();
    StringTable(StringTable&&) noexcept = default;
    StringTable& operator=(StringTable&&) noexcept = default;

    // Replaces the slot's string with text (cut at its first NUL). When memory
    // is short the slot is left empty and false is returned. An entry number
    // out of range changes nothing.
    bool Set(int entry, std::u16string_view text);
    void Clear(int entry);
    // Empties every slot (also makes a moved-from table usable again).
    void ClearAll();

    // The slot's text without terminator; empty for an empty slot.
    std::u16string_view Text(int entry) const;
    // Bytes including the terminator; 0 for an empty slot.
    uint32_t Size(int entry) const;
    uint32_t Total() const { return total_; }

    // A copy of every slot; false (this table untouched) when memory is short.
    bool CopyFrom(const StringTable& other);

  private:
    bool Valid(int entry) const;

    struct Slot {
        std::unique_ptr<char16_t[]> text;
        uint32_t size = 0;
    };
    std::unique_ptr<Slot[]> slots_;
    uint32_t total_ = 0;
};

// The store's names for the two slot operations.
inline bool SetAssignmentString(StringTable& table, int entry, std::u16string_view text) {
    return table.Set(entry, text);
}
inline void ClearAssignmentString(StringTable& table, int entry) { table.Clear(entry); }

}  // namespace kv::model
