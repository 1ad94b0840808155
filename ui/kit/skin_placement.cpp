#include "ui/kit/skin_placement.h"

namespace kv::ui {

namespace {

void MoveQuietly(HWND control, const SkinRect& rect) {
    MoveWindow(control, rect.x, rect.y, rect.w, rect.h, FALSE);
}

}  // namespace

void PlaceSkinnedButton(CPngButton& button, const SkinRect& rect, const StateCanvases& faces) {
    MoveQuietly(button.hwnd(), rect);
    button.SetStateImages(rect.x, rect.y, faces, false);
    if (IsLeftOut(rect)) EnableWindow(button.hwnd(), FALSE);
}

void PlaceSkinnedButton(CPngButton& button, const std::wstring& skinFile, const std::wstring& section,
                        const std::wstring& key, const StateCanvases& faces) {
    PlaceSkinnedButton(button, ReadSkinRect(skinFile, section, key), faces);
}

void PlaceControl(HWND control, const std::wstring& skinFile, const std::wstring& section,
                  const std::wstring& key) {
    MoveQuietly(control, ReadSkinRect(skinFile, section, key));
}

void PlaceButtonTwoEntries(CPngButton& button, const std::wstring& skinFile, const std::wstring& placeSection,
                           const std::wstring& placeKey, const std::wstring& faceSection,
                           const std::wstring& faceKey, const StateCanvas& canvas) {
    MoveQuietly(button.hwnd(), ReadSkinRect(skinFile, placeSection, placeKey));
    const SkinRect face = ReadSkinRect(skinFile, faceSection, faceKey);
    button.SetStateImages(face.x, face.y, StateCanvases{&canvas, &canvas, &canvas, &canvas, &canvas}, false);
}

void MoveControlTo(HWND control, const std::wstring& skinFile, const std::wstring& section,
                   const std::wstring& key) {
    const SkinRect rect = ReadSkinRect(skinFile, section, key);
    SetWindowPos(control, nullptr, rect.x, rect.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(control, nullptr, TRUE);
}

}  // namespace kv::ui
