// The 208 named events "Kelvarin_Event_Main_01" .. "_208" that other processes
// may open while the program runs; the program itself never uses them.
#pragma once

#include <vector>

#include "app/startup/handles.h"

namespace kv::app {

inline constexpr int kKeyEventSlotCount = 208;

class KeyEventSlots {
  public:
    void Create();
    void Close() { slots_.clear(); }
    size_t Count() const { return slots_.size(); }

  private:
    std::vector<UniqueKernelHandle> slots_;
};

}  // namespace kv::app
