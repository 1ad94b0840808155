// The keyboard's macro area: a 16-byte header, one 16-bit offset per macro,
// then one block per macro (action count, play count, name length, 4-byte
// actions, optional UTF-16 name).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "model/macro/macro_list.h"
#include "model/macro/macro_record.h"

namespace kv::model {

constexpr uint16_t kMacroImageMagic = 0x55AA;
constexpr size_t kMacroImageHeaderSize = 16;
constexpr size_t kMacroBlockHeaderSize = 4;
constexpr uint32_t kMacroImageMaxSize = 0xFFFF;  // offsets and the size field are 16 bits
// The text key whose name (not its translation) prefixes unnamed macros.
constexpr std::u16string_view kNewMacroPrefix = u"MACRO_NEW_PREFIX";

struct MacroImageSizes {
    uint32_t with_names;
    uint32_t without_names;
};

// Name length in UTF-16 units as images carry it: up to the terminator, at
// most 249, and never ending between the two halves of a surrogate pair.
uint16_t MacroNameLength(const MacroRecord& record);
// Actions an image carries for the record (its count, at most 2000).
uint16_t MacroActionCount(const MacroRecord& record);

MacroImageSizes MacroImageSizesOf(std::span<const MacroRecord> macros);

// Fills out (exactly the size MacroImageSizesOf gives for the names choice).
// False, with nothing written, when out has another size, the image would
// pass 65535 bytes, or there are more macros than a list may hold.
bool BuildMacroImage(std::span<const MacroRecord> macros, bool names, std::span<uint8_t> out);

// Macros an image holds: 0 without the 0x55AA header; never more than a list
// may hold or than the offsets present in the image.
uint16_t MacroImageCount(std::span<const uint8_t> image);

// Decodes the first out.size() macros (at most MacroImageCount) into out and
// returns how many. Macro i gets id i + 1. Every read is bounds-checked: a
// block outside the image gives an empty macro, and counts and names are cut
// to what the image holds and the record can take.
uint16_t DecodeMacroImage(std::span<const uint8_t> image, std::span<MacroRecord> out);

// Decodes into a fresh list; false (list untouched) when memory is short.
bool DecodeMacroImage(std::span<const uint8_t> image, MacroList& out);

}  // namespace kv::model
