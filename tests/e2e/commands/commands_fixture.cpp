#include "commands_fixture.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "model/assign/assignment_store.h"
#include "model/config_sets.h"
#include "profiles/profile_writer.h"

namespace kv::e2e {

namespace {

using namespace ids;

constexpr model::KeyCode kKeyA = 0x01E;
constexpr model::KeyCode kKeyB = 0x030;

// The keyboard's entries for A and B (usages 4 and 5), and what the fixture makes of them.
constexpr uint8_t kEntryA[3] = {0x02, 0x02, 0x04};
constexpr uint8_t kEntryB[3] = {0x02, 0x02, 0x05};
constexpr uint8_t kEntryMacro1[3] = {0x05, 0x01, 0x00};    // macro 1, played once
constexpr uint8_t kEntryVolumeUp[3] = {0x03, 0xE9, 0x00};  // consumer usage 0xE9

int PositionOf(const std::vector<uint8_t>& matrix, const uint8_t (&entry)[3]) {
    for (size_t p = 0; p + 2 < 378 && p + 2 < matrix.size(); p += 3) {
        if (matrix[p] == entry[0] && matrix[p + 1] == entry[1] && matrix[p + 2] == entry[2])
            return static_cast<int>(p / 3);
    }
    return -1;
}

bool BuildFixture(model::ConfigSet& set) {
    using namespace model;
    WriteAssignment(*set.block, 0, KeyIndexOf(kKeyA), {kKindKey, 0, kKeyB, 0, 0});
    WriteAssignment(*set.block, 1, KeyIndexOf(kKeyA), {kKindMacro, 1, 1, 0, 0});
    WriteAssignment(*set.block, 2, KeyIndexOf(kKeyB), {kKindMedia, 0, 6, 0, 0});
    auto records = MacroList::Allocate(1);
    MacroRecord& r = records[0];
    r.name[0] = u'a';
    r.name[1] = u'b';
    r.play_count = 1;
    r.id = 1;
    r.action_count = 2;
    r.actions[0] = {125, kKeyA, kPress};
    r.actions[1] = {0, kKeyA, kRelease};
    set.macros.Install(std::move(records), 1);
    return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> SimArea(const std::wstring& pipe, const std::string& area, size_t offset,
                                            size_t length) {
    const std::optional<std::string> answer =
        SimCommand(pipe, "dump " + area + " " + std::to_string(offset) + " " + std::to_string(length));
    if (!answer || answer->rfind("ok", 0) != 0) return std::nullopt;
    std::vector<uint8_t> bytes;
    std::istringstream lines(answer->substr(answer->find('\n') + 1));
    std::string line;
    while (std::getline(lines, line)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::istringstream hex(line.substr(colon + 1));
        unsigned value = 0;
        while (hex >> std::hex >> value) bytes.push_back(static_cast<uint8_t>(value));
    }
    if (bytes.size() != length) return std::nullopt;
    return bytes;
}

std::string SimStatusLine(const std::wstring& pipe, const std::string& name) {
    const std::string status = SimCommand(pipe, "status").value_or("");
    const std::size_t at = status.find("\n" + name + " ");
    if (at == std::string::npos) return "<missing " + name + ">";
    return status.substr(at + 1, status.find('\n', at + 1) - at - 1);
}

bool WriteRestoreFixture(const std::wstring& path) {
    model::ConfigSets sets;
    return BuildFixture(sets.Working()) && profiles::SaveProfileFile(path, sets.Working());
}

bool WriteDamagedFixture(const std::wstring& path) {
    if (!WriteRestoreFixture(path)) return false;
    std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path);
    if (!bytes || bytes->size() < 32) return false;
    (*bytes)[4] ^= 0x01;  // the version word; the checksum at byte 31 stays
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
    return out.good();
}

std::vector<uint8_t> FixtureKeyMap(const std::vector<uint8_t>& matrix, int profile) {
    std::vector<uint8_t> map = matrix;
    const auto put = [&](const uint8_t(&at)[3], const uint8_t(&entry)[3]) {
        const int position = PositionOf(matrix, at);
        if (position < 0) return;
        std::copy(std::begin(entry), std::end(entry), map.begin() + position * 3);
    };
    if (profile == 0) put(kEntryA, kEntryB);
    if (profile == 1) put(kEntryA, kEntryMacro1);
    if (profile == 2) put(kEntryB, kEntryVolumeUp);
    return map;
}

std::vector<uint8_t> FixtureMacroArea() {
    return {0xAA, 0x55, 0x22, 0x00, 0x01, 0x00, 0x01, 0x00,  // magic, size 34, one macro, names
            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  //
            0x12, 0x00,                                      // block at 18
            0x02, 0x00, 0x01, 0x02,                          // two actions, once, name of two
            0x0C, 0xA0, 0x02, 0x04,                          // 12 x 10 ms, keyboard, press, A
            0x00, 0x20, 0x02, 0x04,                          // release A
            0x61, 0x00, 0x62, 0x00};                         // "ab"
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) return std::nullopt;
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

HWND FindPopupMenu(DWORD pid) {
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
         w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// Under a loaded Wine a popup menu now and then misses the keys posted to it
// right after it appeared: close it and go again, as a user would.
bool ChooseBackupMenuItem(HWND main, DWORD pid, int position) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!Click(main, kMenu)) return false;
        HWND menu = nullptr;
        if (!WaitFor([&] { return (menu = FindPopupMenu(pid)) != nullptr; }, 10s)) continue;
        for (int i = 0; i <= position; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
        if (WaitFor([&] { return FindPopupMenu(pid) == nullptr; }, 5s)) return true;
        if (HWND open = FindPopupMenu(pid)) PostMessageW(open, WM_KEYDOWN, VK_ESCAPE, 0);
        if (!WaitFor([&] { return FindPopupMenu(pid) == nullptr; }, 10s)) return false;
    }
    return false;
}

bool RestoreThroughMenu(HWND main, DWORD pid, const std::wstring& path) {
    return ChooseBackupMenuItem(main, pid, 0) && ChooseInFileDialog(pid, path, 20s);
}

bool WaitForPending(HWND main, bool pending) {
    return WaitFor([&] { return IsEnabled(main, kApply) == pending; }, 30s);
}

bool WaitUntilIdle(HWND main, DWORD pid) {
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(kCancel, BN_CLICKED), 0);
    if (!WaitFor([&] { return !IsWindowVisible(main); }, 60s)) return false;
    PostMessageW(main, kMsgShow, kCodeOpen, 0);
    return WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 30s) &&
           FindMessageBox(pid, EnglishText(L"MAIN_NO_DEVICE_PROMPT")) == nullptr;
}

}  // namespace kv::e2e
