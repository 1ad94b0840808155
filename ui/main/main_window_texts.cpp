// Language texts and the shared button images of the main window.
#include <iterator>

#include "app/resources/resource.h"
#include "app/startup/process_state.h"
#include "app/tray/instance_messages.h"
#include "ui/main/main_window.h"

namespace kv::ui {

namespace {

// Two families of buttons share the four state images; both load them.
constexpr const wchar_t* kSharedButtonImages[] = {
    L"Skins\\main_normal.jpg",  L"Skins\\main_over.jpg",    L"Skins\\main_down.jpg",
    L"Skins\\main_disable.jpg", L"Skins\\main_normal.jpg",  L"Skins\\main_over.jpg",
    L"Skins\\main_down.jpg",    L"Skins\\main_disable.jpg", L"Skins\\Arrow.jpg",
    L"Skins\\main_color0.jpg",  L"Skins\\main_color1.jpg",
};

}  // namespace

bool CKelvarinDlg::LoadSharedButtonImages() {
    shared_images_.clear();
    const std::wstring& folder = app::Process().paths.module_folder;
    for (const wchar_t* name : kSharedButtonImages) {
        std::optional<DecodedImage> image = LoadImageFile(folder + name);
        if (!image) {
            shared_images_.clear();
            return false;
        }
        shared_images_.push_back(std::move(*image));
    }
    return true;
}

void CKelvarinDlg::ReleaseSkinImages() { shared_images_.clear(); }

void CKelvarinDlg::ApplyCurrentLanguage() {
    SendMessageW(hwnd_, app::kMsgLanguage, app::kCodeLang, language_settings_.CurrentLanguageIndex());
}

CKelvarinDlg::Reply CKelvarinDlg::OnLanguageMessage(WPARAM wparam, LPARAM) {
    // The texts always follow the stored language; the index only says that it changed.
    if (wparam == app::kCodeLang) ApplyLanguageTexts();
    return {true, 0};
}

void CKelvarinDlg::ApplyLanguageTexts() {
    SetWindowTextW(hwnd_, LanguageText(L"TEXT", L"MAIN_CAPTION").c_str());
    const struct {
        int id;
        std::wstring text;
    } captions[] = {
        {IDOK, LanguageText(L"TEXT", L"PROFILE_OK")},
        {IDCANCEL, LanguageText(L"TEXT", L"PROFILE_CANCLE")},
        {IDC_APPLY, LanguageText(L"TEXT", L"PROFILE_APPLY")},
        {IDC_DEFAULT, LanguageText(L"TEXT", L"PROFILE_DEFAULT")},
        {IDC_CLOSE, LanguageText(L"TEXT", L"MAIN_CLOSE_PROMPT")},
        {IDC_MAIN_TITLE, LanguageText(L"TEXT", L"KEYBOARD_TRAY_DESC")},
    };
    for (const auto& caption : captions) SetDlgItemTextW(hwnd_, caption.id, caption.text.c_str());
}

}  // namespace kv::ui
