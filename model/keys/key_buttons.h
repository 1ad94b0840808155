// The main window's keyboard picture: 104 key buttons, nine G buttons and an
// Fn button, with their dialog control ids and skin entry names.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "model/keys/g_keys.h"
#include "model/keys/key_code.h"

namespace kv::model {

inline constexpr std::size_t kKeyButtonCount = 104;
inline constexpr int kFnButtonControlId = 1174;  // has no key code

struct KeyButton {
    int control_id;
    KeyCode code;
};

std::span<const KeyButton, kKeyButtonCount> KeyButtons();

// Control ids of G1..G9.
std::span<const int, kGKeyCount> GButtonControlIds();

// The key index a G button (n = 1..9) stands for on the given layer.
constexpr KeyIndex GButtonKeyIndex(int n, GLayer layer) { return GKeyIndex(layer, n); }

// "KEY_%03X" with the key's index: "KEY_01E" for A, "KEY_09D" for right Ctrl.
std::u16string KeySkinEntryName(KeyCode code);

// "FUNC_G%d", n = 1..9.
std::u16string GSkinEntryName(int n);

}  // namespace kv::model
