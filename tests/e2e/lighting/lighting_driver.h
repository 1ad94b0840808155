// Driving the lighting panel of a running copy and reading what reached its
// simulated keyboard: the requests of the traffic log, memory dumps, the
// panel switch in the per-user settings file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kv::e2e {

// A request as the keyboard received it: "begin", "end", or the command in
// hexadecimal with its length, offset and data, e.g. "06 1@42: 05".
std::vector<std::string> SentRequests(const std::wstring& pipe);
// The same with the keyboard's own notifications among them, as "notice".
std::vector<std::string> Traffic(const std::wstring& pipe);
// Keyboard memory ("settings", "profiles", "colours", ...); empty when unreadable.
std::vector<uint8_t> Dump(const std::wstring& pipe, const std::string& area, unsigned offset,
                          unsigned length);
int ActiveProfile(const std::wstring& pipe);

// "06 1@42: 05" for a request with these fields.
std::string Request(uint8_t command, unsigned offset, const std::vector<uint8_t>& data);
// A lighting field write of profile p: "begin", the bytes at p * 42 + offset, "end".
std::vector<std::string> LightingWrite(int profile, unsigned offset, uint8_t value);

// "KEYCOLOR"/"DengCheck" in the per-user settings file ("<none>" when missing).
std::wstring PanelSwitchSetting();
void SetPanelSwitchSetting(const wchar_t* value);

// The user's choice in a combo box: the selection, then its notification (posted).
bool ChooseComboEntry(HWND parent, int id, int index);
// A click on a slider where position p lies (button down and up, posted).
bool ClickSlider(HWND parent, int id, int position);

}  // namespace kv::e2e
