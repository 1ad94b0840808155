#include "tests/win/composite/composite_fixture.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "model/assign/assignment_store.h"
#include "ui/kit/image_file.h"
#include "ui/kit/nested_loops.h"

namespace kv::ui::test {

namespace {

// The test body waiting to run inside the dialog's loop.
std::function<void()>* pending_body = nullptr;

void CALLBACK RunPendingBody(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (auto* body = std::exchange(pending_body, nullptr)) (*body)();
}

constexpr wchar_t kScratchParent[] = L"Software\\KelvarinTests";

}  // namespace

std::wstring StageFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::u16string StagedTexts::Text(std::u16string_view section, std::u16string_view key) const {
    const std::wstring s(section.begin(), section.end()), k(key.begin(), key.end());
    const wchar_t* files[] = {L"Lang0409.ini", L"Lang0804.ini", L"Lang0404.ini"};
    wchar_t buffer[260] = {};
    GetPrivateProfileStringW(s.c_str(), k.c_str(), L"#Error", buffer, 260,
                             (StageFolder() + files[std::clamp(language, 0, 2)]).c_str());
    return std::u16string(buffer, buffer + wcslen(buffer));
}

std::wstring StagedTexts::Get(const wchar_t* key) const {
    const std::u16string text = Text(u"TEXT", std::u16string(key, key + wcslen(key)));
    return std::wstring(text.begin(), text.end());
}

ScratchValues::ScratchValues()
    : path_(std::wstring(kScratchParent) + L"\\composite-" + std::to_wstring(GetCurrentProcessId())),
      key_(app::RegKey::Create(HKEY_CURRENT_USER, path_)) {}

ScratchValues::~ScratchValues() {
    key_.Close();
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, kScratchParent);  // only once no other test key is left
}

FakeHost::FakeHost() = default;

model::MacroRecord MakeMacro(uint16_t id, const std::u16string& name,
                             std::initializer_list<model::MacroAction> actions, uint8_t playCount) {
    model::MacroRecord record{};
    std::copy(name.begin(), name.end(), record.name);
    record.id = id;
    record.play_count = playCount;
    for (const model::MacroAction& action : actions) record.actions[record.action_count++] = action;
    return record;
}

void CompositeTest::SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    EnsureGdiplus();
}

void CompositeTest::SetUp() {
    SetMessageBoxAnswerer([this](const std::wstring& text, UINT flags) {
        boxes.push_back({text, flags});
        if (during_box) std::exchange(during_box, nullptr)();
        if (answers.empty()) return IDOK;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    });
    dialog = std::make_unique<Kelvarin_DlgComposite>(host, StageFolder());
    ASSERT_TRUE(dialog->LoadPictures()) << "the staged skin lacks a picture of the dialog";
}

void CompositeTest::TearDown() {
    dialog.reset();
    SetMessageBoxAnswerer(nullptr);
    KeyboardHooks::SetInstaller(nullptr);
    EXPECT_EQ(KeyboardHooks::LiveHooks(), 0) << "a keyboard hook outlived the dialog";
}

INT_PTR CompositeTest::Open(int controlId, const std::function<void()>& body) {
    std::function<void()> run = [this, &body] {
        // The dialog manager shows the dialog once its loop is idle; the user sees it first.
        ShowWindow(Dlg(), SW_SHOW);
        PumpDialog();
        body();
        if (dialog->IsOpen()) dialog->CloseIfOpen();
    };
    pending_body = &run;
    SetTimer(nullptr, 0, 1, &RunPendingBody);
    const INT_PTR result = dialog->SelectKey(controlId);
    if (pending_body) {
        pending_body = nullptr;
        ADD_FAILURE() << "the dialog did not open for control " << controlId;
    }
    return result;
}

void CompositeTest::SetEntry(int profile, int keyIndex, model::KeyAssignment entry) {
    std::lock_guard lock(host.sets.WorkingConfigLock());
    model::WriteAssignment(*host.sets.Working().block, profile, keyIndex, entry);
}

model::KeyAssignment CompositeTest::Entry(int profile, int keyIndex) {
    std::lock_guard lock(host.sets.WorkingConfigLock());
    return model::ReadAssignment(*host.sets.Working().block, profile, keyIndex);
}

void CompositeTest::SetWorkingMacros(const std::vector<model::MacroRecord>& macros) {
    std::lock_guard lock(host.sets.WorkingConfigLock());
    auto records = model::MacroList::Allocate(macros.size());
    std::copy(macros.begin(), macros.end(), records.get());
    host.sets.Working().macros.Install(std::move(records), static_cast<uint16_t>(macros.size()));
}

std::vector<model::MacroRecord> CompositeTest::WorkingMacros() {
    std::lock_guard lock(host.sets.WorkingConfigLock());
    const auto records = host.sets.Working().macros.Records();
    return {records.begin(), records.end()};
}

void CompositeTest::Click(int id) {
    SendMessageW(Dlg(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
}

void CompositeTest::ChooseRow(int comboId, int row) {
    SendMessageW(Item(comboId), CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(Dlg(), WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(comboId)));
}

void CompositeTest::TypeMacroName(const std::wstring& name) {
    HWND combo = Item(IDC_COMP_MACRO_LIST);
    SetWindowTextW(combo, name.c_str());
    SendMessageW(Dlg(), WM_COMMAND, MAKEWPARAM(IDC_COMP_MACRO_LIST, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void CompositeTest::TypeCycles(const std::wstring& text) {
    SetWindowTextW(Item(IDC_COMP_CYCLES), text.c_str());
}

std::wstring CompositeTest::TextOf(int id) const { return WindowText(Item(id)); }

int CompositeTest::ComboRow(int id) const {
    return static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
}

int CompositeTest::ComboCount(int id) const {
    return static_cast<int>(SendMessageW(Item(id), CB_GETCOUNT, 0, 0));
}

std::wstring CompositeTest::ComboText(int id, int row) const {
    const auto length = SendMessageW(Item(id), CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length < 0) return L"";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(Item(id), CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int CompositeTest::ActionRows() const {
    return static_cast<int>(SendMessageW(Item(IDC_COMP_ACTIONS), LVM_GETITEMCOUNT, 0, 0));
}

std::wstring CompositeTest::Cell(int row, int column) const {
    wchar_t buffer[260] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 260;
    SendMessageW(Item(IDC_COMP_ACTIONS), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    return buffer;
}

int CompositeTest::SelectedAction() const {
    return static_cast<int>(
        SendMessageW(Item(IDC_COMP_ACTIONS), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void CompositeTest::SelectAction(int row) {
    HWND list = Item(IDC_COMP_ACTIONS);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CompositeTest::ClickCell(int row, int column) {
    HWND list = Item(IDC_COMP_ACTIONS);
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    const LPARAM at = MAKELPARAM(cell.left + 8, (cell.top + cell.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    PumpDialog();
}

HWND CompositeTest::CellEditor() const {
    for (HWND child = GetWindow(Item(IDC_COMP_ACTIONS), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32] = {};
        GetClassNameW(child, name, 32);
        if ((lstrcmpiW(name, L"Edit") == 0 || lstrcmpiW(name, L"ComboBox") == 0) && IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

void CompositeTest::PressKey(HWND target, UINT vk) {
    const auto scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
        MSG m{};
        m.hwnd = target;
        m.message = message;
        m.wParam = vk;
        m.lParam = (scan << 16) | 1 | (message == WM_KEYUP ? static_cast<LPARAM>(0xC0000000) : 0);
        if (!CallMsgFilterW(&m, MSGF_DIALOGBOX) && !IsDialogMessageW(Dlg(), &m)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        PumpDialog();
    }
}

void CompositeTest::PumpDialog() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (CallMsgFilterW(&m, MSGF_DIALOGBOX)) continue;
        if (Dlg() && IsDialogMessageW(Dlg(), &m)) continue;
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

}  // namespace kv::ui::test
