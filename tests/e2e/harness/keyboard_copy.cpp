#include "harness/keyboard_copy.h"

#include <cstdio>
#include <sstream>

#include "model/assign/key_map_entry.h"

namespace kv::e2e {

namespace {

constexpr int kKeyMapSize = 512;
constexpr int kMatrixPositions = 126;

std::string Poke(int profile, int position, const char* entry) {
    if (position < 0) return "poke keymaps 99999 00";  // refused, so the preparation fails visibly
    return "poke keymaps " + std::to_string(profile * kKeyMapSize + position * 3) + " " + entry;
}

}  // namespace

std::vector<uint8_t> ParseDump(const std::string& dump) {
    std::vector<uint8_t> bytes;
    std::istringstream lines(dump);
    std::string line;
    std::getline(lines, line);  // "ok"
    while (std::getline(lines, line)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::istringstream values(line.substr(colon + 1));
        std::string value;
        while (values >> value) bytes.push_back(static_cast<uint8_t>(std::stoul(value, nullptr, 16)));
    }
    return bytes;
}

int KeyMapPokes::PositionOfKey(uint16_t key_code) const {
    for (int p = 0; p < kMatrixPositions && p * 3 + 2 < static_cast<int>(matrix_.size()); ++p) {
        const size_t at = static_cast<size_t>(p) * 3;
        if (model::KeyCodeOfMatrixEntry(matrix_[at], matrix_[at + 1], matrix_[at + 2]) == key_code) return p;
    }
    return -1;
}

int KeyMapPokes::PositionOfGKey(int g_entry) const {
    for (int p = 0; p < kMatrixPositions && p * 3 + 2 < static_cast<int>(matrix_.size()); ++p) {
        const size_t at = static_cast<size_t>(p) * 3;
        if (matrix_[at] == model::kEntryGKey && matrix_[at + 1] == model::kGKeySub &&
            matrix_[at + 2] == g_entry)
            return p;
    }
    return -1;
}

std::string KeyMapPokes::Key(int profile, uint16_t key_code, const char* entry) const {
    return Poke(profile, PositionOfKey(key_code), entry);
}

std::string KeyMapPokes::GKey(int profile, int g_entry, const char* entry) const {
    return Poke(profile, PositionOfGKey(g_entry), entry);
}

std::string MacroAreaAb() {
    return "poke macro 0 AA 55 22 00 01 00 01 00 00 00 00 00 00 00 00 00 "  // magic, 34 bytes, one macro
           "12 00 "                                                         // its block at 18
           "02 00 01 02 "                                                   // two actions, once, name of two
           "0C A0 02 04 00 20 02 04 "                                       // A pressed, released
           "61 00 62 00";                                                   // "ab"
}

KeyboardCopy::KeyboardCopy(const Preparation& prepare, DWORD language) {
    ChooseLanguage(language);
    DeleteFileW(WorkingProfileFile().c_str());
    copy_.StartUnplugged();
    child_ = copy_.Launch(L"/Start");
    const HWND main = WaitUntilReady(child_.pid, 60s);
    if (!main) {
        problem_ = "no initialised main window";
        return;
    }
    const std::optional<std::string> matrix = SimCommand(copy_.SimPipe(), "dump matrix");
    if (!matrix) {
        problem_ = "no simulated keyboard";
        return;
    }
    for (const std::string& command : prepare(KeyMapPokes(ParseDump(*matrix)))) {
        if (!Sim(command)) {
            problem_ = "the simulator refused: " + command;
            return;
        }
    }
    if (!Sim("plug")) {
        problem_ = "the keyboard could not be plugged in";
        return;
    }
    // The read-back run records the keyboard once the working set is loaded;
    // until then an Open request answers "no keyboard". Ask until it opens.
    const std::wstring no_device = LanguageText(language, L"TEXT", L"MAIN_NO_DEVICE_PROMPT");
    const bool shown = WaitFor(
        [&] {
            if (IsWindowVisible(main)) return true;
            if (FindMessageBox(child_.pid, no_device)) AnswerMessageBox(child_.pid, no_device, IDOK, 10s);
            PostMessageW(main, ids::kMsgShow, ids::kCodeOpen, 0);
            return WaitFor(
                       [&] {
                           return IsWindowVisible(main) != FALSE || FindMessageBox(child_.pid, no_device);
                       },
                       2s) &&
                   IsWindowVisible(main);
        },
        60s);
    if (!shown) {
        problem_ = "the window did not open";
        return;
    }
    main_ = main;
}

std::vector<uint8_t> KeyboardCopy::Area(const std::string& name) {
    return ParseDump(SimCommand(copy_.SimPipe(), "dump " + name).value_or(""));
}

std::string KeyboardCopy::Status(const std::string& name) {
    const std::string status = SimCommand(copy_.SimPipe(), "status").value_or("");
    const size_t at = status.find("\n" + name + " ");
    if (at == std::string::npos) return "<no " + name + ">";
    const size_t value = at + 1 + name.size() + 1;
    return status.substr(value, status.find('\n', value) - value);
}

}  // namespace kv::e2e
