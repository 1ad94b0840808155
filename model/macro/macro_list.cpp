#include "model/macro/macro_list.h"

#include <algorithm>

#include "model/try_alloc.h"

namespace kv::model {

std::unique_ptr<MacroRecord[]> MacroList::Allocate(size_t count) { return TryAllocate<MacroRecord>(count); }

void MacroList::Install(std::unique_ptr<MacroRecord[]> records, uint16_t count) {
    records_ = count ? std::move(records) : nullptr;
    count_ = records_ ? count : 0;
}

void MacroList::Release() {
    records_.reset();
    count_ = 0;
}

bool MacroList::CopyFrom(const MacroList& other) {
    if (&other == this) return true;
    if (other.count_ == 0) {
        Release();
        return true;
    }
    auto copy = Allocate(other.count_);
    if (!copy) return false;
    std::copy_n(other.records_.get(), other.count_, copy.get());
    Install(std::move(copy), other.count_);
    return true;
}

int MacroList::IndexOfId(uint16_t id) const {
    for (int i = 0; i < count_; ++i) {
        if (records_[i].id == id) return i;
    }
    return -1;
}

uint16_t MacroList::FindIndexById(uint16_t id) const {
    const int index = IndexOfId(id);
    return index < 0 ? 0 : static_cast<uint16_t>(index);
}

uint16_t MacroList::IdAt(int index) const { return index >= 0 && index < count_ ? records_[index].id : 0; }

const MacroRecord* MacroList::FindById(uint16_t id) const {
    const int index = IndexOfId(id);
    return index < 0 ? nullptr : &records_[index];
}

}  // namespace kv::model
