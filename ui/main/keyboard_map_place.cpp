// Dressing the keyboard picture from the skin: every button at its entry with
// its faces, the flip layout, the arrows and the repaints that overlapping
// faces need.
#include "app/settings/language_texts.h"
#include "ui/kit/skin_placement.h"
#include "ui/main/keyboard_map.h"
#include "ui/main/main_style.h"
#include "ui/main/main_window_ids.h"

namespace kv::ui {

namespace {

using C = MainCanvases;

constexpr int kLockIds[] = {IDC_LOCK_CAPS, IDC_LOCK_NUM, IDC_LOCK_SCROLL, IDC_LOCK_AB};
constexpr const wchar_t* kLockEntries[] = {L"LOCK_CAPS", L"LOCK_NUM", L"LOCK_SCROLL", L"LOCK_AB"};
constexpr int kFlipIds[] = {IDC_FLIP1, IDC_FLIP2};
constexpr const wchar_t* kFlipEntries[] = {L"FLIP_1", L"FLIP_2"};
constexpr int kArrowIds[] = {IDC_LEFT_ARROW, IDC_RIGHT_ARROW};
constexpr const wchar_t* kArrowEntries[] = {L"LEFT_ARROW", L"RIGHT_ARROW"};
// The arrows' pictures in Arrow.jpg ("BUTTONINFO2"): up while flipped, down otherwise; frame 1 or 2.
constexpr const wchar_t* kArrowUpFaces[] = {L"UP_ARROW_LEFT", L"UP_ARROW_RIGHT"};
constexpr const wchar_t* kArrowDownFaces[] = {L"DOWN_ARROW_LEFT", L"DOWN_ARROW_RIGHT"};
constexpr int kProfileIds[] = {IDC_PROFILE1, IDC_PROFILE2, IDC_PROFILE3};
constexpr const wchar_t* kProfileEntries[] = {L"FUNC_PROFILE1", L"FUNC_PROFILE2", L"FUNC_PROFILE3"};
constexpr const wchar_t* kProfileTexts[] = {L"PROFILE_1", L"PROFILE_2", L"PROFILE_3"};
// F1..F4 give way to D1..D6 in the flip layout.
constexpr int kFlippedKeys[] = {1010, 1011, 1012, 1013};

void Invalidate(HWND dialog, int id) { InvalidateRect(GetDlgItem(dialog, id), nullptr, FALSE); }

}  // namespace

void KeyboardMap::Attach() {
    HWND dialog = context_.hwnd;
    const auto keys = model::KeyButtons();
    for (size_t i = 0; i < keys.size(); ++i) keys_[i].Attach(dialog, keys[i].control_id);
    const auto g = model::GButtonControlIds();
    for (size_t n = 0; n < g.size(); ++n) g_[n].Attach(dialog, g[n]);
    for (int i = 0; i < kDButtonCount; ++i) d_[static_cast<size_t>(i)].Attach(dialog, IDC_D1 + i);
    fn_.Attach(dialog, IDC_FN);
    for (size_t i = 0; i < locks_.size(); ++i) locks_[i].Attach(dialog, kLockIds[i]);
    flip0_.Attach(dialog, IDC_FLIP0);
    for (size_t i = 0; i < flips_.size(); ++i) flips_[i].Attach(dialog, kFlipIds[i]);
    for (size_t i = 0; i < arrows_.size(); ++i) arrows_[i].Attach(dialog, kArrowIds[i]);
    for (size_t i = 0; i < profiles_.size(); ++i) profiles_[i].Attach(dialog, kProfileIds[i]);
}

void KeyboardMap::PlaceKeys() {
    const MainCanvases& c = context_.canvases;
    const StateCanvases faces = c.Faces(C::N, C::O, C::D, C::N, C::X);
    for (size_t n = 0; n < g_.size(); ++n)
        PlaceSkinnedButton(g_[n], context_.skin, kSkinButtonSection, L"FUNC_G" + std::to_wstring(n + 1),
                           faces);
    const auto keys = model::KeyButtons();
    for (size_t i = 0; i < keys.size(); ++i) {
        const SkinRect rect = ReadSkinRect(context_.skin, kSkinButtonSection,
                                           app::ToWide(model::KeySkinEntryName(keys[i].code)));
        PlaceSkinnedButton(keys_[i], rect, faces);
        if (IsLeftOut(rect)) left_out_.insert(keys[i].control_id);
    }
    StyleLayerCaptions();
    // The alternates of the flip layout take the place of F1..F4. Their faces
    // come from the two canvases no other button of the window uses, which
    // show the top row flipped.
    d_placed_ = true;
    for (int i = 0; i < kDButtonCount; ++i) {
        const SkinRect rect =
            ReadSkinRect(context_.skin, kSkinButtonSection, L"KEY_D" + std::to_wstring(i + 1));
        PlaceSkinnedButton(d_[static_cast<size_t>(i)], rect, c.Faces(C::C0, C::C1, C::C1, C::C0, C::C1));
        if (IsLeftOut(rect)) d_placed_ = false;
    }
}

void KeyboardMap::PlaceIndicatorsAndFlip() {
    const MainCanvases& c = context_.canvases;
    const StateCanvases lock = c.Faces(C::N, C::N, C::N, C::N, C::O);
    for (size_t i = 0; i < locks_.size(); ++i)
        PlaceSkinnedButton(locks_[i], context_.skin, kSkinButtonSection, kLockEntries[i], lock);
    ShowLayer(CurrentLayer());
    PlaceSkinnedButton(flip0_, context_.skin, kSkinButtonSection, L"FLIP_0",
                       c.Faces(C::N, C::N, C::N, C::N, C::X));
    for (size_t i = 0; i < flips_.size(); ++i)
        PlaceSkinnedButton(flips_[i], context_.skin, kSkinButtonSection, kFlipEntries[i],
                           c.Faces(C::N, C::O, C::D, C::N, C::X));
    SetRepaintCallbacks();
    ApplyFlipState();
    for (int side = 0; side < 2; ++side) PlaceArrow(side);
}

void KeyboardMap::PlaceProfileButtons() {
    const StateCanvases faces = context_.canvases.Faces(C::N, C::O, C::D, C::N, C::X);
    for (size_t i = 0; i < profiles_.size(); ++i)
        PlaceSkinnedButton(profiles_[i], context_.skin, kSkinButtonSection, kProfileEntries[i], faces);
}

void KeyboardMap::PlaceFn() {
    PlaceSkinnedButton(fn_, context_.skin, kSkinButtonSection, L"KEY_FN",
                       context_.canvases.Faces(C::N, C::O, C::D, C::N, C::X));
}

void KeyboardMap::ApplyProfileCaptions() {
    for (size_t i = 0; i < profiles_.size(); ++i) {
        SetWindowTextW(profiles_[i].hwnd(), context_.Text(kProfileTexts[i]).c_str());
        SetCaptionStyle(profiles_[i], kCaptionPoints, kCaptionFont, kCentredCaption);
    }
}

void KeyboardMap::ToggleFlip() {
    context_.app.profile_values.WriteFlip(context_.app.profile_values.ReadFlip() ? 0 : 1);
    ApplyFlipState();
}

void KeyboardMap::ApplyFlipState() {
    const bool flipped = flipped_ = context_.app.profile_values.ReadFlip();
    // A key the skin leaves out stays disabled in either layout. Where the
    // skin places the alternates, only one of the two layouts shows.
    const bool swap = d_placed_;
    for (int id : kFlippedKeys) {
        EnableWindow(context_.Item(id), !flipped && !left_out_.count(id));
        if (swap) ShowWindow(context_.Item(id), flipped ? SW_HIDE : SW_SHOWNA);
    }
    for (CPngButton& d : d_) {
        EnableWindow(d.hwnd(), flipped && swap ? TRUE : FALSE);
        ShowWindow(d.hwnd(), flipped && swap ? SW_SHOWNA : SW_HIDE);
    }
    const MainCanvases& c = context_.canvases;
    flip0_.SetStateCanvases(
        flipped ? c.Faces(C::N2, C::N2, C::N2, C::N2, C::X) : c.Faces(C::N, C::N, C::N, C::N, C::X), true);
    for (int side = 0; side < 2; ++side) PlaceArrow(side);
}

void KeyboardMap::PlaceArrow(int side) {
    const size_t s = static_cast<size_t>(side);
    const std::wstring face =
        (flipped_ ? kArrowUpFaces[s] : kArrowDownFaces[s]) + std::to_wstring(arrow_frames_[s]);
    PlaceButtonTwoEntries(arrows_[s], context_.skin, kSkinButtonSection, kArrowEntries[s], L"BUTTONINFO2",
                          face, context_.canvases[C::A]);
    InvalidateRect(arrows_[s].hwnd(), nullptr, FALSE);
}

void KeyboardMap::ShowArrow(int side, bool shown) {
    HWND arrow = arrows_[static_cast<size_t>(side)].hwnd();
    if ((IsWindowVisible(arrow) != FALSE) != shown) ShowWindow(arrow, shown ? SW_SHOWNA : SW_HIDE);
    if (shown) InvalidateRect(arrow, nullptr, FALSE);
}

// Neighbouring faces overlap in the skin; these buttons repaint the ones they cover.
void KeyboardMap::SetRepaintCallbacks() {
    HWND dialog = context_.hwnd;
    locks_[3].SetDrawCallback([this, dialog](HWND, bool) {
        for (int id : model::GButtonControlIds()) Invalidate(dialog, id);
    });
    if (CPngButton* enter = ButtonOf(IDC_KEY_ENTER))
        enter->SetDrawCallback([dialog](HWND, bool) { Invalidate(dialog, IDC_KEY_RIGHT_BRACKET); });
    flip0_.SetDrawCallback([this, dialog](HWND, bool) {
        if (flipped_) {
            for (int id = IDC_D1; id <= IDC_D6; ++id) Invalidate(dialog, id);
        } else {
            for (int id : kFlippedKeys) Invalidate(dialog, id);
        }
        Invalidate(dialog, 1014);
        Invalidate(dialog, IDC_FLIP1);
        Invalidate(dialog, IDC_FLIP2);
    });
    for (int side = 0; side < 2; ++side)
        flips_[static_cast<size_t>(side)].SetDrawCallback(
            [this, side](HWND, bool normalFace) { ShowArrow(side, normalFace); });
}

}  // namespace kv::ui
