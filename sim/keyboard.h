// The keyboard's side of the command protocol: one 64-byte request in, at
// most one 64-byte reply out, against the keyboard's memory areas.
#pragma once

#include <cstdint>
#include <span>

#include "device/commands.h"
#include "device/transact.h"
#include "sim/keyboard_memory.h"

namespace kv::sim {

using kv::device::Report;

// Reply status bytes. Any value other than the two failures means success.
constexpr uint8_t kStatusOk = 0x01;
constexpr uint8_t kStatusBadRange = 0xFE;  // offset or length outside the area
constexpr uint8_t kStatusRefused = 0xFF;   // unknown command, bad framing or checksum

struct KeyboardCounters {
    uint64_t reports = 0;  // requests handled, refused ones included
    uint64_t refused = 0;  // answered with 0xFE or 0xFF
    uint64_t begin_config = 0;
    uint64_t end_config = 0;
    uint64_t writes = 0;                 // accepted memory writes
    uint64_t writes_outside_config = 0;  // accepted writes while no exchange was open
};

struct Outcome {
    enum class Kind { kReply, kUpdateMode } kind = Kind::kReply;
    Report reply{};
    bool memory_changed = false;
};

class Keyboard {
  public:
    explicit Keyboard(KeyboardMemory memory = KeyboardMemory::Factory());

    // Handles one request. A request shorter than 64 bytes is refused.
    Outcome Handle(std::span<const uint8_t> request);

    // A reply to request that carries only the given status (used by fault injection).
    static Report StatusReply(std::span<const uint8_t> request, uint8_t status);

    const KeyboardMemory& Memory() const { return memory_; }
    KeyboardMemory& Memory() { return memory_; }
    bool ConfigOpen() const { return config_open_; }
    const KeyboardCounters& Counters() const { return counters_; }
    // Power cycle: the open exchange is forgotten, memory stays.
    void Reset() { config_open_ = false; }

  private:
    Outcome HandleCommand(const Report& request);
    Outcome Read(const Report& request, Area area);
    Outcome Write(const Report& request, Area area);
    Outcome ReadSettings(const Report& request);
    Outcome WriteSettings(const Report& request);
    Outcome Refuse(const Report& request, uint8_t status);

    KeyboardMemory memory_;
    bool config_open_ = false;
    KeyboardCounters counters_;
};

// Sum of bytes 3..63, truncated to 16 bits.
uint16_t ReportSum(std::span<const uint8_t, 64> report);

}  // namespace kv::sim
