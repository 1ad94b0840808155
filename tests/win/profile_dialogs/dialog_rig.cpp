#include "tests/win/profile_dialogs/dialog_rig.h"

#include <commctrl.h>

#include <algorithm>
#include <thread>

#include "app/settings/registry_key.h"
#include "profiles/working_profile.h"
#include "ui/kit/nested_loops.h"

namespace kv::ui::test {

namespace {

constexpr device::TransactTimings kShortTimings{.reply_wait = 500ms, .retry_pause = 1ms, .busy_wait = 0ms};

HKEY LanguageKeyWith(HKEY key, app::LanguageId language) {
    app::WriteDword(key, app::kLanguageIdValue, language);
    return key;
}

}  // namespace

std::wstring StageFolder() {
    const std::wstring module = app::CurrentModulePath();
    return module.substr(0, module.find_last_of(L"\\/") + 1);
}

DialogRig::DialogRig(app::LanguageId language, std::wstring languageFolder)
    : userFolder(std::filesystem::path(folder.path()) / L"QX5307"),
      packageFolder(std::filesystem::path(folder.path()) / L"Package"),
      paths(app::BuildAppPaths(app::CurrentModulePath())),
      languageSettings(LanguageKeyWith(languageKey.get(), language)),
      texts(languageFolder.empty() ? StageFolder() : languageFolder, languageSettings),
      values(appKey.get()),
      roles(userFolder),
      link(sim, kShortTimings),
      commands(link),
      lighting(commands, panel),
      sync(model::SyncContext{commands, sets, lighting, roles.Host(), texts},
           model::SyncOptions{.init_poll = 1ms, .busy_hide_delay = 1ms, .file_hook = {}}),
      notifier(link, *this) {
    std::filesystem::create_directories(packageFolder);
    paths.package_folder = packageFolder.wstring();
    notifier.RegisterNotifications();
    SetMessageBoxAnswerer([this](const std::wstring& text, UINT flags) {
        boxes.push_back({text, flags});
        return answer ? answer(text, flags) : IDOK;
    });
    SetFileChooser([this](FileDialogKind kind, const FileDialogSpec& spec) -> std::optional<std::wstring> {
        fileDialogs.push_back({kind, spec});
        return choose ? choose(kind) : std::nullopt;
    });
}

DialogRig::~DialogRig() {
    SetMessageBoxAnswerer(nullptr);
    SetFileChooser(nullptr);
    sync.Shutdown();
    sim.WaitIdle();
}

void DialogRig::ReadKeyboard() {
    sync.ReadBackRun(link.DeviceCount());
    ASSERT_TRUE(std::filesystem::is_regular_file(profiles::WorkingProfilePath(userFolder)));
    ClearCalls();
}

void DialogRig::SetKeyboardActiveProfile(uint8_t profile) {
    const uint8_t byte[] = {profile};
    sim.WriteArea(sim::Area::kSettings, device::kSettingsActiveProfile, byte);
    commands.ResetActiveProfileCache();
}

std::vector<uint8_t> DialogRig::CommandsSent() const {
    std::vector<uint8_t> sent;
    for (const sim::TrafficEntry& entry : sim.Traffic()) {
        if (entry.direction == sim::Direction::kToKeyboard && entry.channel == sim::Channel::kVendor &&
            entry.bytes.size() > device::kFieldCommand)
            sent.push_back(entry.bytes[device::kFieldCommand]);
    }
    return sent;
}

void DialogRig::Log(std::string call) {
    std::lock_guard lock(callsMutex_);
    calls_.push_back(std::move(call));
}

std::vector<std::string> DialogRig::Calls() const {
    std::lock_guard lock(callsMutex_);
    return calls_;
}

bool DialogRig::Called(const std::string& call) const {
    const auto calls = Calls();
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

void DialogRig::ClearCalls() {
    std::lock_guard lock(callsMutex_);
    calls_.clear();
}

std::optional<std::wstring> DialogRig::RegistryValue(const wchar_t* name) const {
    app::RegKey section = app::RegKey::Open(appKey.get(), app::kProfilesSection, KEY_READ);
    return section ? app::ReadString(section.get(), name) : std::nullopt;
}

std::wstring DialogRig::LanguageText(const wchar_t* section, const wchar_t* key) const {
    return texts.Get(section, key);
}

bool DialogRig::SetActiveProfile(int profile) {
    Log("set-active " + std::to_string(profile));
    commands.SetActiveProfile(profile);
    return commands.CachedActiveProfile() == profile;
}

void DialogRig::ReloadWorkingConfiguration(bool keepPending) {
    Log(keepPending ? "reload keeping" : "reload");
    sync.ReloadWorkingConfiguration(keepPending);
}

bool DialogRig::LoadProfileIntoKeyboard(const std::filesystem::path& file) {
    Log("restore " + file.filename().string());
    return sync.RestoreFromFile(file);
}

bool DialogRig::ApplyPendingChanges() {
    Log("apply");
    sync.ApplyChanges();
    sync.WaitBusyIdle(5s);
    return !roles.pending;
}

int DialogRig::EnterUpdateMode() {
    Log("update-mode");
    return commands.EnterUpdateMode();
}

void DialogRig::UpdateModeEntered(const std::filesystem::path& backup) {
    updateModeNoted = true;
    updateBackup = backup;
}

// ---- the modal loop's body ----

namespace detail {
namespace {

struct PendingBody {
    std::function<bool()> ready;
    std::function<void()> run;
    std::chrono::steady_clock::time_point giveUp;
    UINT_PTR timer = 0;
};

PendingBody& Pending() {
    static PendingBody pending;
    return pending;
}

void CALLBACK RunBody(HWND, UINT, UINT_PTR, DWORD) {
    PendingBody& pending = Pending();
    if (pending.ready && !pending.ready() && std::chrono::steady_clock::now() < pending.giveUp) return;
    KillTimer(nullptr, pending.timer);
    pending.timer = 0;
    std::function<void()> run = std::move(pending.run);
    pending = PendingBody{};
    if (run) run();
}

}  // namespace

void StartBody(std::function<bool()> ready, std::function<void()> run) {
    PendingBody& pending = Pending();
    pending.ready = std::move(ready);
    pending.run = std::move(run);
    pending.giveUp = std::chrono::steady_clock::now() + 5s;
    pending.timer = SetTimer(nullptr, 0, 10, &RunBody);
}

void StopBody() {
    PendingBody& pending = Pending();
    if (pending.timer) KillTimer(nullptr, pending.timer);
    pending = PendingBody{};
}

}  // namespace detail

// ---- controls ----

void Click(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    ASSERT_NE(control, nullptr) << "no control " << id;
    ASSERT_TRUE(IsWindowVisible(control)) << "control " << id << " is hidden";
    ASSERT_TRUE(IsWindowEnabled(control)) << "control " << id << " is disabled";
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

std::wstring ControlText(HWND dialog, int id) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(dialog, id, text, 1024);
    return text;
}

std::vector<std::array<std::wstring, 3>> ListRows(HWND list) {
    std::vector<std::array<std::wstring, 3>> rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::array<std::wstring, 3> cells;
        for (int column = 0; column < 3; ++column) {
            wchar_t text[1024] = {};
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = 1024;
            SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            cells[static_cast<size_t>(column)] = text;
        }
        rows.push_back(cells);
    }
    return rows;
}

std::vector<int> TickedRows(HWND list) {
    std::vector<int> ticked;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        const auto state =
            SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
        if ((state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2)) ticked.push_back(row);
    }
    return ticked;
}

std::vector<std::wstring> ListHeaders(HWND list) {
    std::vector<std::wstring> headers;
    for (int column = 0;; ++column) {
        wchar_t text[260] = {};
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = 260;
        if (!SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)))
            break;
        headers.emplace_back(text);
    }
    return headers;
}

namespace {

POINT CellCentre(HWND list, int row, int column) {
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    return {cell.left + 8, (cell.top + cell.bottom) / 2};
}

void ClickAt(HWND list, POINT at) {
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

}  // namespace

void ClickTick(HWND list, int row) {
    const POINT centre = CellCentre(list, row, 0);
    for (int x = 0; x < 40; ++x) {
        LVHITTESTINFO hit{};
        hit.pt = {x, centre.y};
        SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.iItem == row && (hit.flags & LVHT_ONITEMSTATEICON)) {
            ClickAt(list, hit.pt);
            return;
        }
    }
    ADD_FAILURE() << "no tick box on row " << row;
}

void ClickRow(HWND list, int row) { ClickAt(list, CellCentre(list, row, 1)); }

bool WaitFor(const std::function<bool()>& ready, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

}  // namespace kv::ui::test
