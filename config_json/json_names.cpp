#include "config_json/json_names.h"

#include <array>
#include <cstdio>

#include "device/parse_number.h"
#include "model/keys/media.h"

namespace kv::config_json {

namespace {

struct KeyWord {
    model::KeyCode code;
    std::string_view name;
};

// Media keys carry the words of the multimedia functions they stand for, so
// "Volume up" is the same whether a key sends it or is set to it.
constexpr KeyWord kKeyWords[] = {
    {0x001, "Esc"},
    {0x002, "1"},
    {0x003, "2"},
    {0x004, "3"},
    {0x005, "4"},
    {0x006, "5"},
    {0x007, "6"},
    {0x008, "7"},
    {0x009, "8"},
    {0x00A, "9"},
    {0x00B, "0"},
    {0x00C, "-"},
    {0x00D, "="},
    {0x00E, "Backspace"},
    {0x00F, "Tab"},
    {0x010, "Q"},
    {0x011, "W"},
    {0x012, "E"},
    {0x013, "R"},
    {0x014, "T"},
    {0x015, "Y"},
    {0x016, "U"},
    {0x017, "I"},
    {0x018, "O"},
    {0x019, "P"},
    {0x01A, "["},
    {0x01B, "]"},
    {0x01C, "Enter"},
    {0x01D, "Ctrl"},
    {0x01E, "A"},
    {0x01F, "S"},
    {0x020, "D"},
    {0x021, "F"},
    {0x022, "G"},
    {0x023, "H"},
    {0x024, "J"},
    {0x025, "K"},
    {0x026, "L"},
    {0x027, ";"},
    {0x028, "'"},
    {0x029, "`"},
    {0x02A, "Shift"},
    {0x02B, "\\"},
    {0x02C, "Z"},
    {0x02D, "X"},
    {0x02E, "C"},
    {0x02F, "V"},
    {0x030, "B"},
    {0x031, "N"},
    {0x032, "M"},
    {0x033, ","},
    {0x034, "."},
    {0x035, "/"},
    {0x036, "Right Shift"},
    {0x037, "Num *"},
    {0x038, "Alt"},
    {0x039, "Space"},
    {0x03A, "Caps Lock"},
    {0x03B, "F1"},
    {0x03C, "F2"},
    {0x03D, "F3"},
    {0x03E, "F4"},
    {0x03F, "F5"},
    {0x040, "F6"},
    {0x041, "F7"},
    {0x042, "F8"},
    {0x043, "F9"},
    {0x044, "F10"},
    {0x045, "Pause"},
    {0x046, "Scroll Lock"},
    {0x047, "Num 7"},
    {0x048, "Num 8"},
    {0x049, "Num 9"},
    {0x04A, "Num -"},
    {0x04B, "Num 4"},
    {0x04C, "Num 5"},
    {0x04D, "Num 6"},
    {0x04E, "Num +"},
    {0x04F, "Num 1"},
    {0x050, "Num 2"},
    {0x051, "Num 3"},
    {0x052, "Num 0"},
    {0x053, "Num ."},
    {0x054, "Sys Req"},
    {0x056, "K45"},
    {0x057, "F11"},
    {0x058, "F12"},
    {0x070, "Kana"},
    {0x071, "Korean/English"},
    {0x072, "Hanja"},
    {0x073, "K56"},
    {0x079, "Convert"},
    {0x07B, "No Convert"},
    {0x07D, "Yen"},
    {0x07E, "K107"},
    {0x110, "Previous track"},
    {0x119, "Next track"},
    {0x11C, "Num Enter"},
    {0x11D, "Right Ctrl"},
    {0x120, "Mute"},
    {0x121, "Calculator"},
    {0x122, "Play/Pause"},
    {0x124, "Stop"},
    {0x12E, "Volume down"},
    {0x130, "Volume up"},
    {0x132, "Browser home"},
    {0x135, "Num /"},
    {0x137, "Print Screen"},
    {0x138, "Right Alt"},
    {0x145, "Num Lock"},
    {0x146, "Break"},
    {0x147, "Home"},
    {0x148, "Up"},
    {0x149, "Page Up"},
    {0x14B, "Left"},
    {0x14D, "Right"},
    {0x14F, "End"},
    {0x150, "Down"},
    {0x151, "Page Down"},
    {0x152, "Insert"},
    {0x153, "Delete"},
    {0x15B, "Win"},
    {0x15C, "Right Win"},
    {0x15D, "Menu"},
    {0x15E, "Power"},
    {0x15F, "Sleep"},
    {0x161, "Wheel Up"},
    {0x162, "Wheel Down"},
    {0x163, "Wake"},
    {0x165, "Search"},
    {0x166, "Favorites"},
    {0x167, "Browser refresh"},
    {0x168, "Browser stop"},
    {0x169, "Browser forward"},
    {0x16A, "Browser back"},
    {0x16B, "This PC"},
    {0x16C, "Mail"},
    {0x16D, "Media player"},
    {0x16E, "Wheel Left"},
    {0x16F, "Wheel Right"},
    {0x170, "Double Click"},
    {0x171, "Left Button"},
    {0x172, "Right Button"},
    {0x173, "Middle Button"},
    {0x174, "Zoom Out"},
    {0x175, "Zoom In"},
    {0x176, "Copy"},
    {0x177, "Cut"},
    {0x178, "Paste"},
    {0x179, "Minimize"},
    {0x17A, "Maximize"},
    {0x17B, "Word Processor"},
    {0x17C, "Spreadsheet"},
    {0x17D, "Presentation"},
    {0x17E, "Calendar"},
    {0x200, "G1"},
    {0x201, "G2"},
    {0x202, "G3"},
    {0x203, "G4"},
    {0x204, "G5"},
    {0x205, "G6"},
    {0x206, "G7"},
    {0x207, "G8"},
    {0x208, "G9"},
};

constexpr std::array<std::string_view, 11> kFunctionWords = {
    "Lock Windows keys",
    "Next lighting mode",
    "Brightness up",
    "Brightness down",
    "Speed up",
    "Speed down",
    "Lighting on/off",
    "Next profile",
    "Switch G-key layer",
    "Next report rate",
    "Restore keyboard defaults",
};

constexpr std::array<std::string_view, 3> kPlayModeWords = {"once", "repeat", "until pressed again"};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

template <size_t N>
std::optional<uint32_t> IndexOfWord(const std::array<std::string_view, N>& words, std::string_view word) {
    for (size_t i = 0; i < N; ++i) {
        if (SameWord(words[i], word)) return static_cast<uint32_t>(i);
    }
    return std::nullopt;
}

}  // namespace

bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

std::optional<std::string_view> KeyName(model::KeyCode code) {
    for (const KeyWord& word : kKeyWords) {
        if (word.code == code) return word.name;
    }
    return std::nullopt;
}

std::optional<model::KeyCode> KeyCodeOfName(std::string_view name) {
    for (const KeyWord& word : kKeyWords) {
        if (SameWord(word.name, name)) return word.code;
    }
    return std::nullopt;
}

std::string KeyRef(model::KeyCode code) {
    if (auto name = KeyName(code)) return std::string(*name);
    char text[8];
    std::snprintf(text, sizeof text, "0x%03X", static_cast<unsigned>(code));
    return text;
}

std::optional<model::KeyCode> ParseKeyRef(std::string_view text) {
    if (auto code = KeyCodeOfName(text)) return code;
    uint32_t number = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
        ParseNumber(text, &number) && number <= 0xFFFF) {
        return static_cast<model::KeyCode>(number);
    }
    return std::nullopt;
}

std::optional<std::string_view> MediaWord(uint32_t media_number) {
    if (media_number >= model::kMediaCount) return std::nullopt;
    return KeyName(model::MediaList()[media_number].code);
}

std::optional<uint32_t> MediaNumberOfWord(std::string_view word) {
    for (uint32_t m = 0; m < model::kMediaCount; ++m) {
        if (SameWord(*MediaWord(m), word)) return m;
    }
    return std::nullopt;
}

std::optional<std::string_view> FunctionWord(uint32_t function_number) {
    if (function_number >= kFunctionWords.size()) return std::nullopt;
    return kFunctionWords[function_number];
}

std::optional<uint32_t> FunctionNumberOfWord(std::string_view word) {
    return IndexOfWord(kFunctionWords, word);
}

std::optional<std::string_view> PlayModeWord(uint32_t play_mode) {
    if (play_mode >= kPlayModeWords.size()) return std::nullopt;
    return kPlayModeWords[play_mode];
}

std::optional<uint32_t> PlayModeOfWord(std::string_view word) { return IndexOfWord(kPlayModeWords, word); }

}  // namespace kv::config_json
