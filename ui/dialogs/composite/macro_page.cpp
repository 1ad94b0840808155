#include "ui/dialogs/composite/macro_page.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "model/macro/macro_commit.h"
#include "ui/dialogs/composite/composite_ids.h"
#include "ui/dialogs/composite/composite_rules.h"
#include "ui/dialogs/composite/wide_text.h"
#include "ui/kit/message_map.h"
#include "ui/kit/skin_placement.h"

namespace kv::ui {

namespace {

// A name as the editors keep it: at most 100 characters, terminated.
void PutName(model::MacroRecord& record, std::wstring_view name) {
    name = name.substr(0, std::min(name.find(L'\0'), size_t{model::kMacroNameEditLimit}));
    std::memset(record.name, 0, sizeof record.name);
    std::copy(name.begin(), name.end(), record.name);
}

std::wstring NameOf(const model::MacroRecord& record) {
    const auto* end = std::find(record.name, record.name + model::kMacroNameMaxUnits, u'\0');
    return std::wstring(record.name, end);
}

bool BeginsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
    return text.size() >= prefix.size() &&
           CompareStringOrdinal(text.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                                static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

bool MacroPage::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr CommandRoute<MacroPage> kCommands[] = {
        {IDC_COMP_MACRO_LIST, CBN_SELCHANGE, &MacroPage::OnListChanged},
        {IDC_COMP_MACRO_LIST, CBN_EDITCHANGE, &MacroPage::OnNameEdited},
        {IDC_COMP_CYCLES, EN_CHANGE, &MacroPage::OnCyclesChanged},
        {IDC_COMP_MACRO_ADD, BN_CLICKED, &MacroPage::OnAdd},
        {IDC_COMP_MACRO_DELETE, BN_CLICKED, &MacroPage::OnDelete},
    };
    static constexpr MessageMap<MacroPage> kMap{{}, kCommands};
    return kMap.Route(*this, message, wParam, lParam, result);
}

HWND MacroPage::Combo() const { return GetDlgItem(dialog_, IDC_COMP_MACRO_LIST); }
HWND MacroPage::CyclesBox() const { return GetDlgItem(dialog_, IDC_COMP_CYCLES); }

void MacroPage::Attach(HWND dialog, const std::wstring& skinFile) {
    dialog_ = dialog;
    buttons_.clear();
    for (auto [id, key] : {std::pair{IDC_COMP_MACRO_ADD, L"FUNC_MACRO_ADD"},
                           std::pair{IDC_COMP_MACRO_DELETE, L"FUNC_MACRO_DELETE"}}) {
        auto button = std::make_unique<CPngButton>();
        button->Attach(dialog, id);
        PlaceSkinnedButton(*button, skinFile, L"BUTTONINFO", key, context_.Canvases().MacroSet());
        buttons_.push_back(std::move(button));
    }
    PlaceControl(Combo(), skinFile, L"BUTTONINFO", L"FUNC_MACRO_LIST");
    PlaceControl(CyclesBox(), skinFile, L"BUTTONINFO", L"FUNC_MACRO_CYCLES");
    PlaceControl(GetDlgItem(dialog, IDC_COMP_MACRO_LABEL), skinFile, L"BUTTONINFO", L"MARCO_NAME_SETTING");
    PlaceControl(GetDlgItem(dialog, IDC_COMP_CYCLES_LABEL), skinFile, L"BUTTONINFO",
                 L"FUNC_MACRO_CYCLES_PROMPT");
    SendMessageW(Combo(), CB_LIMITTEXT, model::kMacroNameEditLimit, 0);
    SendMessageW(CyclesBox(), EM_LIMITTEXT, 11, 0);
    quiet_ = true;
    SetWindowTextW(CyclesBox(), L"1");
    quiet_ = false;
}

void MacroPage::LoadWorkingMacros() {
    records_.clear();
    records_.reserve(model::kMaxMacros);
    selected_ = -1;
    {
        model::ConfigSets& sets = context_.Host().Sets();
        std::lock_guard lock(sets.WorkingConfigLock());
        for (const model::MacroRecord& working : sets.Working().macros.Records()) {
            if (records_.size() >= model::kMaxMacros) break;
            model::MacroRecord& copy = records_.emplace_back(working);
            copy.new_flag = 0;
            // A record from a file may claim more actions than it holds or lack its terminator.
            copy.action_count = std::min<uint16_t>(copy.action_count, model::kMaxMacroActions);
            copy.name[model::kMacroNameMaxUnits] = u'\0';
        }
    }
    quiet_ = true;
    SendMessageW(Combo(), CB_RESETCONTENT, 0, 0);
    for (const model::MacroRecord& record : records_)
        SendMessageW(Combo(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(NameOf(record).c_str()));
    quiet_ = false;
}

void MacroPage::ApplyTexts() {
    SetDlgItemTextW(dialog_, IDC_COMP_MACRO_LABEL, context_.Text(L"TEXT", L"MACRO_NAME_SETTING").c_str());
    SetDlgItemTextW(dialog_, IDC_COMP_CYCLES_LABEL, context_.Text(L"TEXT", L"MACRO_CYCLES").c_str());
}

void MacroPage::Enter(bool initial, const model::KeyAssignment& stored) {
    int row = -1;
    if (initial && stored.kind == model::kKindMacro && !records_.empty()) {
        const auto it = std::find_if(records_.begin(), records_.end(),
                                     [&](const model::MacroRecord& m) { return m.id == stored.value; });
        row = it == records_.end() ? 0 : static_cast<int>(it - records_.begin());
    }
    // Rename and Apply always have a macro to work on once there is one.
    if (row < 0 && selected_ < 0 && !records_.empty()) row = 0;
    if (row >= 0) {
        Select(row);
        FillFromSelected();
    }
    NotifySelection();
}

void MacroPage::LockForRecording(bool recording) {
    for (int id : {IDC_COMP_MACRO_ADD, IDC_COMP_MACRO_DELETE, IDC_COMP_MACRO_LIST})
        EnableWindow(GetDlgItem(dialog_, id), recording ? FALSE : TRUE);
}

uint16_t MacroPage::SelectedId() const {
    return selected_ >= 0 && selected_ < static_cast<int>(records_.size())
               ? records_[static_cast<size_t>(selected_)].id
               : 0;
}

int MacroPage::Cycles() const { return composite::CyclesFromText(WindowText(CyclesBox())); }

void MacroPage::WriteBackSelected() {
    if (selected_ < 0 || selected_ >= static_cast<int>(records_.size())) return;
    model::MacroRecord& record = records_[static_cast<size_t>(selected_)];
    actions_.WriteBack(record);
    record.play_count = static_cast<uint8_t>(Cycles());
}

void MacroPage::Select(int row) {
    quiet_ = true;
    SendMessageW(Combo(), CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    quiet_ = false;
    selected_ = row;
}

void MacroPage::FillFromSelected() {
    if (selected_ < 0 || selected_ >= static_cast<int>(records_.size())) return;
    const model::MacroRecord& record = records_[static_cast<size_t>(selected_)];
    actions_.Fill(record);
    const int cycles = std::clamp<int>(record.play_count, composite::kMinCycles, composite::kMaxCycles);
    quiet_ = true;
    SetWindowTextW(CyclesBox(), std::to_wstring(cycles).c_str());
    quiet_ = false;
}

void MacroPage::NotifySelection() {
    if (on_selection_) on_selection_(selected_ >= 0);
}

void MacroPage::AddRow(const model::MacroRecord& record) {
    quiet_ = true;
    SendMessageW(Combo(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(NameOf(record).c_str()));
    quiet_ = false;
}

void MacroPage::SetRowText(int row, const std::wstring& text) {
    HWND combo = Combo();
    const auto selection = static_cast<DWORD>(SendMessageW(combo, CB_GETEDITSEL, 0, 0));
    quiet_ = true;
    SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(row), 0);
    SendMessageW(combo, CB_INSERTSTRING, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(LOWORD(selection), HIWORD(selection)));
    quiet_ = false;
}

bool MacroPage::RowBeginsWith(const std::wstring& name) const {
    return std::any_of(records_.begin(), records_.end(),
                       [&](const model::MacroRecord& m) { return BeginsWithIgnoringCase(NameOf(m), name); });
}

void MacroPage::OnListChanged(WORD) {
    if (quiet_) return;
    const int row = static_cast<int>(SendMessageW(Combo(), CB_GETCURSEL, 0, 0));
    if (row < 0 || row >= static_cast<int>(records_.size()) || row == selected_) return;
    WriteBackSelected();
    selected_ = row;
    FillFromSelected();
    NotifySelection();
    context_.MarkChanged();
}

void MacroPage::OnNameEdited(WORD) {
    if (quiet_) return;
    const std::wstring name = WindowText(Combo()).substr(0, model::kMacroNameEditLimit);
    if (records_.empty()) {
        model::MacroRecord& record = records_.emplace_back();
        model::InitNewMacro(record, Utf16(name), {});
        PutName(record, name);
        AddRow(record);
        Select(0);
        FillFromSelected();
        NotifySelection();
        quiet_ = true;
        SetWindowTextW(Combo(), name.c_str());
        SendMessageW(Combo(), CB_SETEDITSEL, 0, MAKELPARAM(name.size(), name.size()));
        quiet_ = false;
    } else {
        if (selected_ < 0) {
            Select(0);
            FillFromSelected();
            NotifySelection();
        }
        PutName(records_[static_cast<size_t>(selected_)], name);
        SetRowText(selected_, name);
    }
    context_.MarkChanged();
}

void MacroPage::OnCyclesChanged(WORD) {
    if (quiet_) return;
    const std::wstring text = WindowText(CyclesBox());
    // An empty box may be typed into again; it reads as 1.
    if (!text.empty()) {
        const std::wstring kept = std::to_wstring(composite::CyclesFromText(text));
        if (kept != text) {
            quiet_ = true;
            SetWindowTextW(CyclesBox(), kept.c_str());
            SendMessageW(CyclesBox(), EM_SETSEL, kept.size(), kept.size());
            quiet_ = false;
        }
    }
    context_.MarkChanged();
}

void MacroPage::OnAdd(WORD) {
    if (records_.size() >= model::kMaxMacros) {
        context_.Ask(FormatNumber(context_.Text(L"TEXT", L"MACRO_ERR_MAX"), model::kMaxMacros),
                     MB_OK | MB_ICONWARNING);
        return;
    }
    if (records_.empty()) name_counter_ = 0;
    const std::wstring prefix = context_.Text(L"TEXT", L"MACRO_NEW_PREFIX");
    std::wstring name;
    do {
        name = prefix + std::to_wstring(++name_counter_);
    } while (RowBeginsWith(name));
    WriteBackSelected();
    model::MacroRecord& record = records_.emplace_back();
    model::InitNewMacro(record, Utf16(name), std::span(records_.data(), records_.size() - 1));
    AddRow(record);
    Select(static_cast<int>(records_.size()) - 1);
    FillFromSelected();
    NotifySelection();
    context_.MarkChanged();
}

bool MacroPage::UsedByOtherKeys(uint16_t id) {
    model::ConfigSets& sets = context_.Host().Sets();
    std::lock_guard lock(sets.WorkingConfigLock());
    const model::AssignmentBlock* block = sets.Working().block.get();
    if (!block) return false;
    const int edited = context_.EditedEntry();
    for (int e = 0; e < model::kEntryCount; ++e) {
        const model::KeyAssignment& entry = block->entries[e];
        if (e != edited && entry.kind == model::kKindMacro && (entry.value & 0xFFFF) == id) return true;
    }
    return false;
}

void MacroPage::OnDelete(WORD) {
    if (selected_ < 0 || selected_ >= static_cast<int>(records_.size())) return;
    const model::MacroRecord& record = records_[static_cast<size_t>(selected_)];
    // A macro made in this opening has no keys yet; the box comes after the lock is given back.
    if (!record.new_flag && UsedByOtherKeys(record.id)) {
        const int answer =
            context_.Ask(context_.Text(L"TEXT", L"MACRO_DELETE_CONFIRM_OF_KEYS"), MB_YESNO | MB_DEFBUTTON2);
        if (!context_.IsOpen() || answer != IDYES) return;
    }
    const int row = selected_;
    if (row < 0 || row >= static_cast<int>(records_.size())) return;
    selected_ = -1;  // the deleted macro is never written over the row that moves up
    records_.erase(records_.begin() + row);
    quiet_ = true;
    SendMessageW(Combo(), CB_DELETESTRING, static_cast<WPARAM>(row), 0);
    quiet_ = false;
    if (records_.empty()) {
        actions_.RemoveAll();
        quiet_ = true;
        SetWindowTextW(Combo(), L"");
        SetWindowTextW(CyclesBox(), L"1");
        quiet_ = false;
    } else {
        Select(row > 0 ? row - 1 : 0);
        FillFromSelected();
    }
    NotifySelection();
    context_.MarkChanged();
}

void MacroPage::Release() {
    records_.clear();
    selected_ = -1;
    buttons_.clear();
    dialog_ = nullptr;
}

}  // namespace kv::ui
