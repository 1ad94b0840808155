#include "model/lighting/key_light_index.h"

#include <array>

namespace kv::model {
namespace {

struct KeyLightIndex {
    KeyCode code;
    int index;
};

constexpr std::array<KeyLightIndex, 104> kIndices = {{
    {0x03B, 8},    // F1
    {0x03C, 16},   // F2
    {0x03D, 24},   // F3
    {0x03E, 32},   // F4
    {0x03F, 40},   // F5
    {0x040, 48},   // F6
    {0x001, 0},    // Esc
    {0x041, 56},   // F7
    {0x042, 64},   // F8
    {0x043, 72},   // F9
    {0x044, 80},   // F10
    {0x057, 88},   // F11
    {0x058, 96},   // F12
    {0x029, 1},    // grave accent
    {0x002, 9},    // 1
    {0x003, 17},   // 2
    {0x004, 25},   // 3
    {0x005, 33},   // 4
    {0x006, 41},   // 5
    {0x007, 49},   // 6
    {0x008, 57},   // 7
    {0x009, 65},   // 8
    {0x00A, 73},   // 9
    {0x00B, 81},   // 0
    {0x00C, 89},   // - _
    {0x00D, 97},   // = +
    {0x02B, 106},  // backslash
    {0x00E, 105},  // Backspace
    {0x010, 10},   // Q
    {0x011, 18},   // W
    {0x012, 26},   // E
    {0x013, 34},   // R
    {0x014, 42},   // T
    {0x015, 50},   // Y
    {0x016, 58},   // U
    {0x017, 66},   // I
    {0x018, 74},   // O
    {0x019, 82},   // P
    {0x01A, 90},   // [ {
    {0x01B, 98},   // ] }
    {0x00F, 2},    // Tab
    {0x01E, 11},   // A
    {0x01F, 19},   // S
    {0x020, 27},   // D
    {0x021, 35},   // F
    {0x022, 43},   // G
    {0x023, 51},   // H
    {0x024, 59},   // J
    {0x025, 67},   // K
    {0x026, 75},   // L
    {0x027, 83},   // ; :
    {0x028, 91},   // ' "
    {0x03A, 3},    // Caps Lock
    {0x01C, 107},  // Enter
    {0x02C, 20},   // Z
    {0x02D, 28},   // X
    {0x02E, 36},   // C
    {0x02F, 44},   // V
    {0x030, 52},   // B
    {0x031, 60},   // N
    {0x032, 68},   // M
    {0x033, 76},   // , <
    {0x034, 84},   // . >
    {0x035, 92},   // / ?
    {0x036, 108},  // right Shift
    {0x02A, 4},    // left Shift
    {0x01D, 5},    // left Ctrl
    {0x15B, 13},   // left Win
    {0x038, 21},   // left Alt
    {0x138, 53},   // right Alt
    {0x15C, 61},   // right Win
    {0x15D, 69},   // Menu (App)
    {0x11D, 77},   // right Ctrl
    {0x039, 37},   // Space
    {0x137, 112},  // Print Screen
    {0x046, 120},  // Scroll Lock
    {0x045, 128},  // Pause
    {0x152, 113},  // Insert
    {0x147, 121},  // Home
    {0x149, 129},  // Page Up
    {0x153, 114},  // Delete
    {0x14F, 122},  // End
    {0x151, 130},  // Page Down
    {0x14B, 133},  // Left
    {0x150, 141},  // Down
    {0x14D, 149},  // Right
    {0x148, 132},  // Up
    {0x145, 138},  // Num Lock
    {0x135, 137},  // keypad /
    {0x037, 139},  // keypad *
    {0x04A, 140},  // keypad -
    {0x047, 115},  // keypad 7
    {0x048, 123},  // keypad 8
    {0x049, 131},  // keypad 9
    {0x04E, 141},  // keypad +
    {0x04B, 116},  // keypad 4
    {0x04C, 124},  // keypad 5
    {0x04D, 132},  // keypad 6
    {0x04F, 109},  // keypad 1
    {0x050, 117},  // keypad 2
    {0x051, 125},  // keypad 3
    {0x11C, 133},  // keypad Enter
    {0x053, 101},  // keypad .
    {0x052, 93},   // keypad 0
}};

}  // namespace

int MatrixIndexOfKey(KeyCode code) {
    for (const KeyLightIndex& key : kIndices)
        if (key.code == code) return key.index;
    return -1;
}

}  // namespace kv::model
