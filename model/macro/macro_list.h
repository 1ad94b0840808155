// A list of macro records: one contiguous array and a count, released and
// replaced as a whole. The working list and the applied list are two of these;
// the lock of the set a list belongs to guards it.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "model/macro/macro_record.h"

namespace kv::model {

class MacroList {
  public:
    MacroList() = default;
    MacroList(MacroList&&) noexcept = default;
    MacroList& operator=(MacroList&&) noexcept = default;

    // An array of count all-zero records, or nullptr when memory is short.
    static std::unique_ptr<MacroRecord[]> Allocate(size_t count);

    // Takes over an array of count records (nullptr and 0 for an empty list).
    void Install(std::unique_ptr<MacroRecord[]> records, uint16_t count);
    // Frees the array; the count becomes 0.
    void Release();
    // A copy of other's records; false (this list untouched) when memory is short.
    bool CopyFrom(const MacroList& other);

    uint16_t Count() const { return count_; }
    bool Empty() const { return count_ == 0; }
    std::span<MacroRecord> Records() { return {records_.get(), count_}; }
    std::span<const MacroRecord> Records() const { return {records_.get(), count_}; }

    // Position of the macro with that id, or -1.
    int IndexOfId(uint16_t id) const;
    // Position of the macro with that id, 0 when no macro has it (what the
    // key map writes for a key whose macro is gone).
    uint16_t FindIndexById(uint16_t id) const;
    // Id of the macro at index; 0 for an index outside the list.
    uint16_t IdAt(int index) const;
    const MacroRecord* FindById(uint16_t id) const;

  private:
    std::unique_ptr<MacroRecord[]> records_;
    uint16_t count_ = 0;
};

}  // namespace kv::model
