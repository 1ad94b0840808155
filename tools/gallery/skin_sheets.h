// What the gallery knows about each window's skin: its INI file, the images
// of its state canvases, which canvas each button shows in which state, and
// the captions and labels drawn over it.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace kv::gallery {

// Indices into a sheet's canvas images for the normal, over, down, disabled and checked faces.
using FaceSet = std::array<int, 5>;

enum class Part { Button, Label, List, Hidden };

struct EntryLook {
    Part part = Part::Button;
    FaceSet faces{0, 1, 2, 0, 0};
    std::wstring textSection;  // language section and key of a caption or label; empty: none
    std::wstring textKey;
};

struct SkinSheet {
    std::wstring name;                       // file name stem of the screenshots
    std::wstring ini;                        // under Skins
    std::vector<std::wstring> canvasImages;  // relative to the program's folder
    std::wstring hoverKey, checkedKey;       // the entries shown hovered and checked
    EntryLook (*look)(const std::wstring& key) = nullptr;
};

std::vector<SkinSheet> SkinSheets();

// Main window entries of the lighting panel, as the panel shows them switched on in mode 1.
struct PanelPart {
    const wchar_t* key;
    enum Kind { Picture, Label, Slider, Combo } kind;
    const wchar_t* content;  // picture file, "LIGHT" text key, slider face, combo text
};
std::vector<PanelPart> LightingPanelParts();
// Entries that belong to the lighting panel (shown only in its screenshot).
bool IsLightingPanelEntry(const std::wstring& key);

}  // namespace kv::gallery
