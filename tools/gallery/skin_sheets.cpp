#include "tools/gallery/skin_sheets.h"

#include <algorithm>

namespace kv::gallery {

namespace {

bool StartsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

bool OneOf(const std::wstring& key, std::initializer_list<const wchar_t*> keys) {
    return std::any_of(keys.begin(), keys.end(), [&](const wchar_t* k) { return key == k; });
}

EntryLook Hidden() { return {Part::Hidden, {}, L"", L""}; }
EntryLook Faces(FaceSet faces) { return {Part::Button, faces, L"", L""}; }
EntryLook Caption(FaceSet faces, const wchar_t* textKey) { return {Part::Button, faces, L"TEXT", textKey}; }
EntryLook Label(const wchar_t* section, const wchar_t* textKey) {
    return {Part::Label, {}, section, textKey};
}

// Main window: canvases N, O, D, X and the arrow picture.
constexpr int N = 0, O = 1, D = 2, X = 3;

EntryLook MainLook(const std::wstring& key) {
    if (key == L"CONTROL_DengStaPic" || key == L"CONTROL_DengStatic" || key == L"CONTROL_UsbStatic")
        return Hidden();  // drawn by the panel parts
    if (IsLightingPanelEntry(key)) return Hidden();
    if (OneOf(key, {L"FUNC_PROFILE1", L"FUNC_PROFILE2", L"FUNC_PROFILE3"}))
        return Caption({N, O, D, N, X}, key == L"FUNC_PROFILE1"   ? L"PROFILE_1"
                                        : key == L"FUNC_PROFILE2" ? L"PROFILE_2"
                                                                  : L"PROFILE_3");
    if (key == L"FUNC_MACRO") return Caption({N, O, D, N, N}, L"PROFILE_MACRO");
    if (key == L"FUNC_DEFAULT") return Caption({N, O, D, N, X}, L"PROFILE_DEFAULT");
    if (key == L"CONTROL_OK") return Caption({N, O, D, N, N}, L"PROFILE_OK");
    if (key == L"CONTROL_CANCEL") return Caption({N, O, D, N, N}, L"PROFILE_CANCLE");
    if (key == L"CONTROL2_APPLY") return Caption({N, O, D, X, N}, L"PROFILE_APPLY");
    if (key == L"FUNC_PROFILES") return Caption({N, O, D, N, N}, L"DEFAULT_PROFILE_NAME");
    if (StartsWith(key, L"KEY_") || StartsWith(key, L"FUNC_G") || StartsWith(key, L"FUNC_REPORT") ||
        OneOf(key, {L"FLIP_1", L"FLIP_2", L"FUNC_DEFAULT", L"FUNC_SWITCH"}))
        return Faces({N, O, D, N, X});
    if (key == L"CONTROL2_APPLY") return Faces({N, O, D, X, N});
    if (OneOf(key, {L"TORVIK_LINK", L"FACEBOOK_LINK", L"TWITTER_LINK"})) return Faces({N, O, X, N, N});
    if (StartsWith(key, L"LOCK_")) return Faces({N, N, N, N, O});
    if (key == L"FLIP_0") return Faces({N, N, N, N, X});
    if (key == L"TORVIK_VER") return Faces({N, N, N, N, N});
    return Faces({N, O, D, N, N});
}

// Composite dialog: the key set (0..2), then the macro set (3..6).
constexpr FaceSet kKeySet{0, 1, 2, 0, 2}, kMacroSet{3, 4, 5, 6, 5};

bool IsMacroPageEntry(const std::wstring& key) {
    return StartsWith(key, L"FUNC_MACRO") || key == L"MARCO_NAME_SETTING";
}

bool IsOtherPageEntry(const std::wstring& key) {
    return OneOf(key, {L"MEDIA_SETTING_TISHI", L"FUNC_MEDIA_SELECT", L"FUNCTION_KEY_SETTING_TISHI",
                       L"FUNC_FUNCTION_SELECT"});
}

bool IsKeyPageEntry(const std::wstring& key) {
    return key == L"TISHI_SINGLE_STATIC" || StartsWith(key, L"FUNC_KEY_");
}

EntryLook CompositeCommon(const std::wstring& key, FaceSet pageSet) {
    if (key == L"CONTROL_OK") return Caption(kKeySet, L"MACRO_OK");
    if (key == L"CONTROL_CANCEL") return Caption(kKeySet, L"MACRO_CANCLE");
    if (key == L"CONTROL_KEY") return Caption(kKeySet, L"SINGLE_KEY");
    if (key == L"CONTROL_MACRO") return Caption(kKeySet, L"MACRO_SETTING");
    if (key == L"CONTROL_MEDIA") return Caption(kKeySet, L"MULTI_MEDIA");
    if (key == L"CONTROL_FUNCTION") return Caption(kKeySet, L"FUNCTION_KEY");
    if (key == L"CONTROL_MASK") return Faces(pageSet);
    if (key == L"KEY_SETTING") return Label(L"TEXT", L"KEY_SETTING_TISHI");
    if (StartsWith(key, L"CONTROL_")) return Faces(kKeySet);
    return Hidden();
}

EntryLook CompositeKeyPage(const std::wstring& key) {
    if (key == L"TISHI_SINGLE_STATIC") return Label(L"TEXT", L"SINGLE_STATIC");
    if (key == L"FUNC_KEY_RADIO_KB_STATIC") return Label(L"TEXT", L"IDS_MACRO_KB_KEY");
    if (key == L"FUNC_KEY_RADIO_MOU_STATIC") return Label(L"TEXT", L"IDS_MACRO_MOU_KEY");
    if (IsMacroPageEntry(key) || IsOtherPageEntry(key) || IsKeyPageEntry(key)) return Hidden();
    return CompositeCommon(key, kKeySet);
}

EntryLook CompositeMacroPage(const std::wstring& key) {
    if (key == L"MARCO_NAME_SETTING") return Label(L"TEXT", L"MACRO_NAME_SETTING");
    if (key == L"FUNC_MACRO_CYCLES_PROMPT") return Label(L"TEXT", L"MACRO_CYCLES");
    if (key == L"FUNC_MACRO_RECORD_DELAY2") return Label(L"TEXT", L"RECORD_DELAY");
    if (key == L"FUNC_MACRO_RECORD") return Caption(kMacroSet, L"A_RECORD");
    if (key == L"FUNC_MACRO_LIST2") return Hidden();
    if (OneOf(key, {L"FUNC_MACRO_ADD", L"FUNC_MACRO_DELETE", L"FUNC_MACRO_DELETE2", L"FUNC_MACRO_CLEAR",
                    L"FUNC_MACRO_UP_TOP", L"FUNC_MACRO_UP", L"FUNC_MACRO_DOWN", L"FUNC_MACRO_DOWN_BOTTOM"}))
        return Faces(kMacroSet);
    if (IsMacroPageEntry(key) || IsOtherPageEntry(key) || IsKeyPageEntry(key)) return Hidden();
    return CompositeCommon(key, kMacroSet);
}

EntryLook ProfileLook(const std::wstring& key) {
    constexpr FaceSet kFaces{0, 1, 2, 2, 0};
    if (key == L"PROGRAM_LIST") return {Part::List, {}, L"", L""};
    if (key == L"FUNC_ADD") return Caption(kFaces, L"PROFILE_NEW");
    if (key == L"FUNC_LOAD") return Caption(kFaces, L"PROFILE_LOAD");
    if (key == L"FUNC_DELETE") return Caption(kFaces, L"PROFILE_DELETE");
    if (key == L"CONTROL_OK") return Caption(kFaces, L"PROFILE_OK");
    if (key == L"CONTROL_CANCEL") return Caption(kFaces, L"PROFILE_CANCLE");
    if (key == L"CONTROL2_APPLY") return Caption(kFaces, L"PROFILE_APPLY");
    return Faces(kFaces);
}

EntryLook UpdateLook(const std::wstring& key) {
    constexpr FaceSet kFaces{0, 1, 0, 0, 0};
    if (key == L"CONTROL_UPStatic" || key == L"CONTROL_UPCombox") return Hidden();
    if (key == L"CONTROL_OPENButton") return Caption(kFaces, L"UPDATE_OPEN");
    if (key == L"CONTROL_BACKUPButton") return Caption(kFaces, L"UPDATE_BACKUP");
    if (key == L"CONTROL_UPButton") return Caption(kFaces, L"UPDATE_START");
    if (key == L"CONTROL_CUPButton") return Caption(kFaces, L"UPDATE_CANCEL");
    return Faces(kFaces);
}

}  // namespace

bool IsLightingPanelEntry(const std::wstring& key) {
    return StartsWith(key, L"CONTROL_") &&
           !OneOf(key, {L"CONTROL_OK", L"CONTROL_CANCEL", L"CONTROL_MENU", L"CONTROL_HELP",
                        L"CONTROL_MINIMIZE", L"CONTROL_CLOSE"});
}

std::vector<SkinSheet> SkinSheets() {
    const std::vector<std::wstring> compositeImages{L"Skins\\key_normal.jpg",   L"Skins\\key_over.jpg",
                                                    L"Skins\\key_down.jpg",     L"Skins\\macro_normal.jpg",
                                                    L"Skins\\macro_over.jpg",   L"Skins\\macro_down.jpg",
                                                    L"Skins\\macro_disable.jpg"};
    return {
        {L"main",
         L"Main.ini",
         {L"Skins\\main_normal.jpg", L"Skins\\main_over.jpg", L"Skins\\main_down.jpg",
          L"Skins\\main_disable.jpg", L"Skins\\Arrow.jpg"},
         L"KEY_01E",
         L"FUNC_PROFILE1",
         MainLook},
        {L"composite", L"Composite.ini", compositeImages, L"CONTROL_OK", L"CONTROL_KEY", CompositeKeyPage},
        {L"composite_macro", L"Composite.ini", compositeImages, L"FUNC_MACRO_ADD", L"CONTROL_MACRO",
         CompositeMacroPage},
        {L"profile",
         L"Profile.ini",
         {L"Skins\\Profile_normal.jpg", L"Skins\\Profile_over.jpg", L"Skins\\Profile_down.jpg"},
         L"CONTROL_OK",
         L"CONTROL2_APPLY",
         ProfileLook},
        {L"update",
         L"UpdateDlg.ini",
         {L"Skins\\update_normal.jpg", L"Skins\\update_over.jpg"},
         L"CONTROL_UPButton",
         L"CONTROL_OPENButton",
         UpdateLook},
    };
}

std::vector<PanelPart> LightingPanelParts() {
    return {
        {L"CONTROL_DengStatic", PanelPart::Label, L"Deng"},
        {L"CONTROL_UsbStatic", PanelPart::Label, L"Usb"},
        {L"CONTROL_XGcombox", PanelPart::Combo, L"1"},
        {L"CONTROL_LightStatic", PanelPart::Label, L"Light"},
        {L"CONTROL_LightSlider", PanelPart::Slider, L"3.bmp"},
        {L"CONTROL_SpeedStatic", PanelPart::Label, L"Speed"},
        {L"CONTROL_SpeedSlider", PanelPart::Slider, L"9.bmp"},
        {L"CONTROL_BLFXStatic2", PanelPart::Label, L"FX"},
        {L"CONTROL_BLFXLStaPic2", PanelPart::Picture, L"leftdown.bmp"},
        {L"CONTROL_BLFXRStaPic2", PanelPart::Picture, L"rightup.bmp"},
    };
}

}  // namespace kv::gallery
