#include "tools/gallery/gallery_dialog.h"

#include "ui/kit/image_file.h"
#include "ui/kit/skin_placement.h"
#include "ui/kit/window_capture.h"
#include "ui/main/main_style.h"

namespace kv::gallery {

namespace {

constexpr wchar_t kButtons[] = L"BUTTONINFO";

std::vector<std::wstring> KeysOf(const std::wstring& ini, const wchar_t* section) {
    std::vector<wchar_t> buffer(1 << 16);
    const DWORD length = GetPrivateProfileStringW(section, nullptr, L"", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), ini.c_str());
    std::vector<std::wstring> keys;
    for (DWORD i = 0; i < length && buffer[i];) {
        keys.emplace_back(&buffer[i]);
        i += static_cast<DWORD>(keys.back().size()) + 1;
    }
    return keys;
}

}  // namespace

GalleryDialog::GalleryDialog(const SkinSheet& sheet, const std::wstring& moduleFolder)
    : CBaseDialog(ui::DialogTemplate::FromMemory(galleryTemplate.get()), nullptr,
                  moduleFolder + L"Skins\\" + sheet.ini, moduleFolder + L"Skins\\"),
      sheet_(sheet),
      moduleFolder_(moduleFolder) {}

std::wstring GalleryDialog::Text(const std::wstring& section, const std::wstring& key) const {
    wchar_t text[260] = {};
    GetPrivateProfileStringW(section.c_str(), key.c_str(), L"#Error", text, 260,
                             (moduleFolder_ + L"Lang0409.ini").c_str());
    return text;
}

HWND GalleryDialog::NewChild(LPCWSTR className, DWORD style, LPCWSTR text) {
    return CreateWindowExW(0, className, text, WS_CHILD | style, 0, 0, 1, 1, hwnd(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId_++)),
                           GetModuleHandleW(nullptr), nullptr);
}

BOOL GalleryDialog::OnInitDialog() {
    if (!CBaseDialog::OnInitDialog()) return FALSE;
    ui::WindowDc dc(hwnd());
    canvases_.resize(sheet_.canvasImages.size());
    for (size_t i = 0; i < canvases_.size(); ++i)
        if (!ui::BuildStateCanvas(canvases_[i], moduleFolder_ + sheet_.canvasImages[i], dc.get()))
            problems_.push_back(L"cannot read " + sheet_.canvasImages[i]);
    for (const std::wstring& key : KeysOf(SkinFile(), kButtons)) PlaceEntry(key);
    if (sheet_.name == L"main") BuildLightingPanel();

    // New children go below the older ones; the page picture belongs beneath
    // the page's controls and the labels above everything.
    constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (auto mask = buttons_.find(L"CONTROL_MASK"); mask != buttons_.end())
        SetWindowPos(mask->second->hwnd(), HWND_BOTTOM, 0, 0, 0, 0, kKeep);
    for (const auto& label : labels_) SetWindowPos(label->hwnd(), HWND_TOP, 0, 0, 0, 0, kKeep);
    return TRUE;
}

void GalleryDialog::PlaceEntry(const std::wstring& key) {
    const EntryLook look = sheet_.look(key);
    if (look.part == Part::Hidden) return;
    if (look.part == Part::List) {
        AddProfileList(key);
        return;
    }
    if (look.part == Part::Label) {
        AddLabel(key, Text(look.textSection, look.textKey), true);
        return;
    }
    auto button = std::make_unique<ui::CPngButton>();
    if (!button->Attach(NewChild(L"BUTTON", WS_VISIBLE | BS_PUSHBUTTON))) return;
    auto canvas = [&](int i) {
        return i < static_cast<int>(canvases_.size()) ? &canvases_[static_cast<size_t>(i)] : nullptr;
    };
    if (key == L"LEFT_ARROW" || key == L"RIGHT_ARROW") {
        // Flip state 0, first frame.
        const std::wstring face = key == L"LEFT_ARROW" ? L"DOWN_ARROW_LEFT1" : L"DOWN_ARROW_RIGHT1";
        ui::PlaceButtonTwoEntries(*button, SkinFile(), kButtons, key, L"BUTTONINFO2", face, *canvas(4));
    } else {
        const FaceSet& f = look.faces;
        ui::PlaceSkinnedButton(*button, SkinFile(), kButtons, key,
                               {canvas(f[0]), canvas(f[1]), canvas(f[2]), canvas(f[3]), canvas(f[4])});
    }
    if (!look.textKey.empty()) {
        SetWindowTextW(button->hwnd(), Text(look.textSection, look.textKey).c_str());
        if (key == L"FUNC_PROFILES") button->SetTextRotation(268, true);
        button->SetTextStyle(
            true, sheet_.name == L"main" ? 10 : 9, ui::kCaptionFont, ui::kCaptionColors,
            key == L"FUNC_PROFILES" ? DT_BOTTOM | DT_SINGLELINE : DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (ui::IsLeftOut(ui::ReadSkinRect(SkinFile(), kButtons, key))) problems_.push_back(L"left out: " + key);
    buttons_[key] = std::move(button);
}

ui::ColorStatic& GalleryDialog::AddLabel(const std::wstring& key, const std::wstring& text, bool visible) {
    auto label = std::make_unique<ui::ColorStatic>();
    HWND control = NewChild(L"STATIC", (visible ? WS_VISIBLE : 0) | SS_LEFT, text.c_str());
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    label->Attach(control);
    label->SetTextColor(sheet_.name == L"main" ? RGB(255, 255, 255) : RGB(228, 228, 228));
    ui::PlaceControl(control, SkinFile(), kButtons, key);
    labels_.push_back(std::move(label));
    return *labels_.back();
}

HBITMAP GalleryDialog::Picture(const std::wstring& file) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(nullptr, (SkinFolder() + file).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (!bitmap) problems_.push_back(L"cannot read " + file);
    pictures_.emplace_back(bitmap);
    return bitmap;
}

void GalleryDialog::BuildLightingPanel() {
    lamp_ = NewChild(L"STATIC", WS_VISIBLE | SS_BITMAP);
    ui::PlaceControl(lamp_, SkinFile(), kButtons, L"CONTROL_DengStaPic");
    SendMessageW(lamp_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(Picture(L"dengup.bmp")));

    for (const PanelPart& part : LightingPanelParts()) {
        const bool alwaysShown =
            part.kind == PanelPart::Label && (std::wstring(part.key) == L"CONTROL_DengStatic" ||
                                              std::wstring(part.key) == L"CONTROL_UsbStatic");
        HWND control = nullptr;
        switch (part.kind) {
            case PanelPart::Label:
                control = AddLabel(part.key, Text(L"LIGHT", part.content), alwaysShown).hwnd();
                break;
            case PanelPart::Picture: {
                control = NewChild(L"STATIC", SS_BITMAP);
                ui::PlaceControl(control, SkinFile(), kButtons, part.key);
                SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP,
                             reinterpret_cast<LPARAM>(Picture(part.content)));
                break;
            }
            case PanelPart::Slider: {
                auto slider = std::make_unique<ui::CBitmapSlider>();
                control = NewChild(L"STATIC", SS_NOTIFY);
                slider->Attach(control);
                ui::PlaceControl(control, SkinFile(), kButtons, part.key);
                slider->SetFaceBitmap(Picture(part.content));
                slider->SetRange(0, 5);
                slider->SetPos(3);
                sliders_.push_back(std::move(slider));
                break;
            }
            case PanelPart::Combo: {
                control = NewChild(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL);
                SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                             FALSE);
                ui::PlaceControl(control, SkinFile(), kButtons, part.key);
                SendMessageW(control, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(Text(L"MODE", part.content).c_str()));
                SendMessageW(control, CB_SETCURSEL, 0, 0);
                break;
            }
        }
        if (control && !alwaysShown) panel_.push_back(control);
    }
}

// The profile list as the profile manager fills it: tick, name, folder.
void GalleryDialog::AddProfileList(const std::wstring& key) {
    list_ = std::make_unique<ui::CReportCtrl>();
    HWND control = NewChild(WC_LISTVIEWW, WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL);
    if (!list_->Attach(control)) return;
    ui::PlaceControl(control, SkinFile(), kButtons, key);
    list_->InsertColumn(0, L"\u6FC0\u6D3B", LVCFMT_LEFT, 60);
    list_->InsertColumn(1, L"\u540D\u79F0", LVCFMT_LEFT, 120);
    list_->InsertColumn(2, L"\u8DEF\u5F84", LVCFMT_LEFT, 230);
    list_->SetGridLines(true);
    list_->SetTickMode(ui::TickMode::OneOfMany);
    list_->SetHeaderClickable(false);
    const wchar_t* rows[][2] = {{L"Gaming", L"C:\\Users\\Player\\Profiles\\"},
                                {L"Office", L"C:\\Users\\Player\\Profiles\\"}};
    for (const auto& row : rows) {
        const int index = list_->InsertRow(list_->RowCount(), L"");
        list_->SetCellText(index, 1, row[0]);
        list_->SetCellText(index, 2, row[1]);
    }
    list_->SetRowState(0, ui::kRowTicked, true);
}

void GalleryDialog::ShowStates() {
    if (auto it = buttons_.find(sheet_.hoverKey); it != buttons_.end())
        SendMessageW(it->second->hwnd(), WM_MOUSEHOVER, 0, 0);
    if (auto it = buttons_.find(sheet_.checkedKey); it != buttons_.end()) it->second->SetChecked(true, true);
}

void GalleryDialog::ShowLightingPanel() {
    if (lamp_)
        SendMessageW(lamp_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(Picture(L"dengdown.bmp")));
    for (HWND control : panel_) ShowWindow(control, SW_SHOWNA);
}

bool GalleryDialog::Shoot(const std::wstring& pngPath) const {
    return ui::SaveImageFile(ui::CaptureWindow(hwnd()), pngPath, ui::ImageFormat::Png);
}

}  // namespace kv::gallery
