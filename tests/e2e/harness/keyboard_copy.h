// One running copy of the program whose simulated keyboard was prepared
// before it was plugged in (assignments poked into its key maps, faults set),
// read back, and with its main window shown: one copy serves a group of checks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "harness/harness.h"

namespace kv::e2e {

// Simulator commands that change entries of the keyboard's key maps, at the
// positions its default matrix gives the keys.
class KeyMapPokes {
  public:
    explicit KeyMapPokes(std::vector<uint8_t> matrix) : matrix_(std::move(matrix)) {}
    // "poke keymaps ..." giving the key (0x01E for A) the entry ("02 02 05") in a profile.
    std::string Key(int profile, uint16_t key_code, const char* entry) const;
    // The same for G-key entry 1..18 (G1..G9 of layer A, then of layer B).
    std::string GKey(int profile, int g_entry, const char* entry) const;
    // Position in the matrix, -1 when the matrix has none.
    int PositionOfKey(uint16_t key_code) const;
    int PositionOfGKey(int g_entry) const;

  private:
    std::vector<uint8_t> matrix_;
};

class KeyboardCopy {
  public:
    using Preparation = std::function<std::vector<std::string>(const KeyMapPokes&)>;

    // Starts the copy unplugged, sends the simulator the commands the
    // preparation makes, plugs the keyboard in and opens the window once the
    // read-back has ended.
    explicit KeyboardCopy(const Preparation& prepare, DWORD language = ids::kEnglish);

    bool Ready() const { return main_ != nullptr; }
    const std::string& Problem() const { return problem_; }
    HWND Main() const { return main_; }
    DWORD Pid() const { return child_.pid; }
    ProgramCopy& Copy() { return copy_; }

    bool Sim(const std::string& command) { return SimOk(copy_.SimPipe(), command); }
    // The bytes of a memory area of the simulated keyboard ("keymaps", "macro", ...).
    std::vector<uint8_t> Area(const std::string& name);
    // The value of a line of the simulator's status, e.g. "1" for "active-profile".
    std::string Status(const std::string& name);

  private:
    ProgramCopy copy_{kSimulatedKeyboard};
    Child child_;
    HWND main_ = nullptr;
    std::string problem_;
};

// "poke macro 0 ...": one macro "ab" (A pressed and released), id 1.
std::string MacroAreaAb();

// Bytes of a hex dump of the simulator ("OFFSET: XX XX ...").
std::vector<uint8_t> ParseDump(const std::string& dump);

}  // namespace kv::e2e
