#include "lighting_driver.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "harness/harness.h"

namespace kv::e2e {

namespace {

constexpr size_t kFieldCommand = 3, kFieldLength = 4, kFieldOffsetLo = 5, kFieldOffsetHi = 6, kFieldData = 8;
constexpr uint8_t kBeginConfig = 0x01, kEndConfig = 0x02;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The bytes of a traffic-log line; zero bytes folded at the end as ".." come back.
std::vector<uint8_t> ReportBytes(const std::string& line, size_t after) {
    std::vector<uint8_t> bytes;
    std::istringstream in(line.substr(after));
    for (std::string word; in >> word;) {
        if (word == "..") break;
        bytes.push_back(static_cast<uint8_t>(std::stoul(word, nullptr, 16)));
    }
    bytes.resize(64, 0);
    return bytes;
}

std::string Hex(uint8_t b) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", b);
    return text;
}

std::wstring UserSettingsFile() {
    std::wstring file = WorkingProfileFile();
    return file.substr(0, file.rfind(L'\\') + 1) + L"wskb.ini";
}

}  // namespace

std::string Request(uint8_t command, unsigned offset, const std::vector<uint8_t>& data) {
    char head[32];
    std::snprintf(head, sizeof head, "%02X %zu@%u:", command, data.size(), offset);
    std::string text = head;
    for (uint8_t b : data) {
        text += ' ';
        text += Hex(b);
    }
    return text;
}

std::vector<std::string> LightingWrite(int profile, unsigned offset, uint8_t value) {
    return {"begin", Request(0x06, static_cast<unsigned>(profile) * 42 + offset, {value}), "end"};
}

std::vector<std::string> Traffic(const std::wstring& pipe) {
    std::vector<std::string> requests;
    const std::string log = SimCommand(pipe, "log show 8192").value_or("");
    for (const std::string& line : Lines(log)) {
        if (line.find("kbd>host consumer") != std::string::npos) requests.push_back("notice");
        const size_t at = line.find("host>kbd vendor");
        if (at == std::string::npos) continue;
        const std::vector<uint8_t> r = ReportBytes(line, at + 15);
        const uint8_t command = r[kFieldCommand];
        if (command == kBeginConfig || command == kEndConfig) {
            requests.push_back(command == kBeginConfig ? "begin" : "end");
            continue;
        }
        const unsigned length = r[kFieldLength];
        const unsigned offset = r[kFieldOffsetLo] | (r[kFieldOffsetHi] << 8);
        // Reads carry no data of their own.
        const bool write =
            command == 0x04 || command == 0x06 || command == 0x08 || command == 0x0A || command == 0x11;
        std::vector<uint8_t> data;
        if (write) data.assign(r.begin() + kFieldData, r.begin() + kFieldData + std::min(length, 56u));
        if (write) {
            requests.push_back(Request(command, offset, data));
        } else {
            char read[32];
            std::snprintf(read, sizeof read, "%02X %u@%u", command, length, offset);
            requests.push_back(read);
        }
    }
    return requests;
}

std::vector<std::string> SentRequests(const std::wstring& pipe) {
    std::vector<std::string> requests = Traffic(pipe);
    requests.erase(std::remove(requests.begin(), requests.end(), "notice"), requests.end());
    return requests;
}

std::vector<uint8_t> Dump(const std::wstring& pipe, const std::string& area, unsigned offset,
                          unsigned length) {
    const std::optional<std::string> answer =
        SimCommand(pipe, "dump " + area + " " + std::to_string(offset) + " " + std::to_string(length));
    std::vector<uint8_t> bytes;
    if (!answer || answer->rfind("ok", 0) != 0) return bytes;
    for (const std::string& line : Lines(*answer)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos || line.rfind("ok", 0) == 0) continue;
        std::istringstream in(line.substr(colon + 1));
        for (std::string word; in >> word;)
            bytes.push_back(static_cast<uint8_t>(std::stoul(word, nullptr, 16)));
    }
    return bytes;
}

int ActiveProfile(const std::wstring& pipe) {
    const std::string status = SimCommand(pipe, "status").value_or("");
    const size_t at = status.find("active-profile ");
    return at == std::string::npos ? -1 : std::stoi(status.substr(at + 15));
}

std::wstring PanelSwitchSetting() {
    wchar_t value[32] = {};
    GetPrivateProfileStringW(L"KEYCOLOR", L"DengCheck", L"<none>", value, 32, UserSettingsFile().c_str());
    return value;
}

void SetPanelSwitchSetting(const wchar_t* value) {
    CreateDirectoryW(UserSettingsFile().substr(0, UserSettingsFile().rfind(L'\\')).c_str(), nullptr);
    WritePrivateProfileStringW(L"KEYCOLOR", L"DengCheck", value, UserSettingsFile().c_str());
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, UserSettingsFile().c_str());
}

bool ChooseComboEntry(HWND parent, int id, int index) {
    HWND combo = GetDlgItem(parent, id);
    if (!combo || !HasVisibleStyle(combo)) return false;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_NORMAL, 5000,
                             &result) ||
        static_cast<int>(result) != index)
        return false;
    return PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo)) !=
           FALSE;
}

bool ClickSlider(HWND parent, int id, int position) {
    HWND slider = GetDlgItem(parent, id);
    if (!slider || !HasVisibleStyle(slider)) return false;
    RECT client{};
    GetClientRect(slider, &client);
    // The slider reads position (x + 10) / width * 5: aim at the middle of the position's band.
    const int width = client.right;
    const int x = std::max(0, (position * width + width / 2) / 5 - 10);
    const LPARAM at = MAKELPARAM(x, client.bottom / 2);
    return PostMessageW(slider, WM_LBUTTONDOWN, MK_LBUTTON, at) && PostMessageW(slider, WM_LBUTTONUP, 0, at);
}

}  // namespace kv::e2e
