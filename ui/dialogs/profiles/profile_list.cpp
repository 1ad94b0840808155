#include "ui/dialogs/profiles/profile_list.h"

#include "model/assign/key_assignment.h"
#include "ui/dialogs/skin_palette.h"
#include "ui/kit/skin_placement.h"

namespace kv::ui {

namespace {

constexpr int kActiveWidth = 60, kNameWidth = 120, kPathWidth = 230;

}  // namespace

ProfileRowTexts RowTextsOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    ProfileRowTexts texts;
    texts.folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    texts.name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = texts.name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) texts.name.resize(dot);
    return texts;
}

std::wstring RegistryPathOf(const ProfileRowTexts& texts) { return texts.folder + texts.name + L".kvp"; }

bool ProfileList::Attach(HWND dialog, int id, const std::wstring& skinFile, const DialogHost& texts) {
    rows_.clear();
    if (!list_.Attach(dialog, id)) return false;
    PlaceControl(list_.hwnd(), skinFile, L"BUTTONINFO", L"PROGRAM_LIST");
    // The fixed headers stand in for a language file without them.
    list_.InsertColumn(0, TextOr(texts.LanguageText(L"TEXT", L"PROFILE_COLUMN_ACTIVE"), L"激活"), LVCFMT_LEFT,
                       kActiveWidth);
    list_.InsertColumn(1, TextOr(texts.LanguageText(L"TEXT", L"PROFILE_COLUMN_NAME"), L"名称"), LVCFMT_LEFT,
                       kNameWidth);
    list_.InsertColumn(2, TextOr(texts.LanguageText(L"TEXT", L"PROFILE_COLUMN_PATH"), L"路径"), LVCFMT_LEFT,
                       kPathWidth);
    list_.SetGridLines(true);
    list_.SetTickMode(TickMode::OneOfMany);
    list_.SetHeaderClickable(false);
    list_.SetSortable(false);
    list_.SetPalette(kSkinListPalette);
    return true;
}

void ProfileList::AddRow(std::unique_ptr<ProfileRow> row) {
    const ProfileRowTexts texts = RowTextsOf(row->file.wstring());
    const int index = list_.InsertRow(list_.RowCount(), L"");
    if (index < 0) return;
    list_.SetCellText(index, 1, texts.name);
    list_.SetCellText(index, 2, texts.folder);
    list_.SetRowData(index, row.get());
    rows_.push_back(std::move(row));
}

void ProfileList::Fill(const std::filesystem::path& workingFile, int activeProfile) {
    list_.DeleteAllRows();
    rows_.clear();
    for (int profile = 0; profile < model::kOnBoardProfiles; ++profile) {
        auto row = std::make_unique<ProfileRow>();
        row->profile = profile;
        row->file = workingFile;
        AddRow(std::move(row));
    }
    TickProfile(activeProfile);
}

void ProfileList::AppendFile(const std::filesystem::path& file) {
    auto row = std::make_unique<ProfileRow>();
    row->file = file;
    AddRow(std::move(row));
}

bool ProfileList::RemoveSelected() {
    const int index = list_.FindRow(kRowSelected);
    if (index < 0) return false;
    const ProfileRow* row = RowAt(index);
    if (!list_.DeleteRow(index, true)) return false;
    std::erase_if(rows_, [row](const std::unique_ptr<ProfileRow>& owned) { return owned.get() == row; });
    return true;
}

void ProfileList::TickProfile(int profile) {
    int chosen = -1;
    for (int index = 0; index < list_.RowCount() && chosen < 0; ++index) {
        const ProfileRow* row = RowAt(index);
        if (row && row->profile >= 0 && row->profile == profile) chosen = index;
    }
    for (int index = 0; index < list_.RowCount(); ++index) {
        if (list_.HasState(index, kRowTicked) != (index == chosen))
            list_.SetRowState(index, kRowTicked, index == chosen);
    }
}

const ProfileRow* ProfileList::RowAt(int index) const {
    return static_cast<const ProfileRow*>(list_.GetRowData(index));
}

const ProfileRow* ProfileList::Ticked() const { return RowAt(list_.FindRow(kRowTicked)); }

std::vector<std::wstring> ProfileList::RegistryPaths() const {
    std::vector<std::wstring> paths;
    for (int index = 0; index < list_.RowCount(); ++index) {
        paths.push_back(RegistryPathOf({list_.GetCellText(index, 1), list_.GetCellText(index, 2)}));
    }
    return paths;
}

}  // namespace kv::ui
