#include "ui/dialogs/composite/macro_recording.h"

#include "ui/dialogs/composite/composite_ids.h"
#include "ui/kit/message_map.h"
#include "ui/kit/skin_placement.h"

namespace kv::ui {

bool MacroRecording::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr CommandRoute<MacroRecording> kCommands[] = {
        {IDC_COMP_RECORD, BN_CLICKED, &MacroRecording::OnRecord},
        {IDC_COMP_RECORD_DELAYS, BN_CLICKED, &MacroRecording::OnOption},
    };
    static constexpr MessageMap<MacroRecording> kMap{{}, kCommands};
    return kMap.Route(*this, message, wParam, lParam, result);
}

void MacroRecording::Attach(HWND dialog, const std::wstring& skinFile) {
    dialog_ = dialog;
    button_ = std::make_unique<CPngButton>();
    button_->Attach(dialog, IDC_COMP_RECORD);
    PlaceSkinnedButton(*button_, skinFile, L"BUTTONINFO", L"FUNC_MACRO_RECORD",
                       context_.Canvases().MacroSet());
    PlaceControl(GetDlgItem(dialog, IDC_COMP_RECORD_DELAYS), skinFile, L"BUTTONINFO",
                 L"FUNC_MACRO_RECORD_DELAY");
    PlaceControl(GetDlgItem(dialog, IDC_COMP_RECORD_DELAYS_LABEL), skinFile, L"BUTTONINFO",
                 L"FUNC_MACRO_RECORD_DELAY2");
    SetDlgItemTextW(dialog, IDC_COMP_RECORD_DELAYS, L"");
}

// Each language keeps its own option: the value's name is a language text.
std::wstring MacroRecording::OptionName() const {
    return context_.Text(L"TEXT", L"MACRO_ACTION_RECORD_DELAY");
}

void MacroRecording::LoadOption() {
    record_delays_ = context_.Host().ProfileValues().ReadRecordDelays(OptionName());
    CheckDlgButton(dialog_, IDC_COMP_RECORD_DELAYS, record_delays_ ? BST_CHECKED : BST_UNCHECKED);
    context_.Host().ProfileValues().WriteRecordDelays(OptionName(), record_delays_);
}

void MacroRecording::OnOption(WORD) {
    record_delays_ = IsDlgButtonChecked(dialog_, IDC_COMP_RECORD_DELAYS) == BST_CHECKED;
    context_.Host().ProfileValues().WriteRecordDelays(OptionName(), record_delays_);
    if (recorder_.Recording()) recorder_.SetRecordDelays(record_delays_);
}

void MacroRecording::ApplyTexts() {
    SetDlgItemTextW(dialog_, IDC_COMP_RECORD_DELAYS_LABEL, context_.Text(L"TEXT", L"RECORD_DELAY").c_str());
    SetWindowTextW(button_->hwnd(), Recording() ? context_.Text(L"TEXT", L"MACRO_ACTION_STOP_RECORD").c_str()
                                                : context_.Text(L"TEXT", L"A_RECORD").c_str());
    button_->SetTextStyle(
        true, 8, L"Arial Unicode MS",
        {RGB(255, 255, 255), RGB(255, 130, 0), RGB(255, 155, 4), RGB(255, 255, 255), RGB(0, 100, 255)},
        DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void MacroRecording::EnableButton(bool on) {
    if (button_) EnableWindow(button_->hwnd(), on ? TRUE : FALSE);
}

void MacroRecording::ShowRecording(bool on) {
    SetWindowTextW(button_->hwnd(), on ? context_.Text(L"TEXT", L"MACRO_ACTION_STOP_RECORD").c_str()
                                       : context_.Text(L"TEXT", L"MACRO_ACTION_RECORD").c_str());
    button_->SetChecked(on, true);
    macros_.LockForRecording(on);
}

bool MacroRecording::Start() {
    if (Recording()) return true;
    ShowRecording(true);
    recorder_.Start(context_.Now(), record_delays_);
    if (!hooks_.Install(*this)) {
        recorder_.Stop();
        ShowRecording(false);
        context_.Ask(context_.Text(L"TEXT", L"MACRO_ERR_RECORD"), MB_OK | MB_ICONWARNING);
        return false;
    }
    return true;
}

void MacroRecording::Stop() {
    if (!Recording()) return;
    recorder_.Stop();
    hooks_.Remove();
    if (button_ && button_->hwnd()) ShowRecording(false);
}

void MacroRecording::OnRecord(WORD) {
    if (Recording())
        Stop();
    else
        Start();
}

void MacroRecording::Insert(const composite::RecordVerdict& verdict) {
    for (int i = 0; i < verdict.count; ++i) actions_.InsertRecorded(verdict.actions[static_cast<size_t>(i)]);
}

bool MacroRecording::OnThreadKey(WPARAM vk, LPARAM flags) {
    if (!context_.Listening()) return false;
    const composite::RecordVerdict verdict =
        recorder_.OnThreadKey(static_cast<uint32_t>(vk), static_cast<uint32_t>(flags), context_.Now());
    Insert(verdict);
    return verdict.swallow;
}

bool MacroRecording::OnLowLevelKey(WPARAM message, const KBDLLHOOKSTRUCT& event) {
    if (!context_.Listening()) return false;
    const composite::RecordVerdict verdict =
        recorder_.OnLowLevelKey(static_cast<uint32_t>(message), event.vkCode, context_.Now());
    Insert(verdict);
    return verdict.swallow;
}

void MacroRecording::Release() {
    recorder_.Stop();
    button_.reset();
    dialog_ = nullptr;
}

}  // namespace kv::ui
