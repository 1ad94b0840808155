// The key assignment dialog in-process: a fake host around a real working
// set, the staged skins and language files, message boxes answered by the
// test, and a way to act from inside the dialog's own modal loop.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/settings/profile_values.h"
#include "app/settings/registry_key.h"
#include "model/config_sets.h"
#include "model/macro/macro_record.h"
#include "model/text_source.h"
#include "ui/dialogs/composite/composite_dialog.h"
#include "ui/dialogs/composite/composite_host.h"
#include "ui/dialogs/composite/composite_ids.h"

namespace kv::ui::test {

// The program's folder: the stage, where the tests run.
std::wstring StageFolder();

// The staged language files, one language at a time (0 English, 1 Simplified Chinese).
class StagedTexts : public model::TextSource {
  public:
    int language = 0;
    std::u16string Text(std::u16string_view section, std::u16string_view key) const override;
    std::wstring Get(const wchar_t* key) const;  // section "TEXT"
};

// HKCU\Software\KelvarinTests\composite-<pid>, removed afterwards.
class ScratchValues {
  public:
    ScratchValues();
    ~ScratchValues();
    HKEY get() const { return key_.get(); }

  private:
    std::wstring path_;
    app::RegKey key_;
};

class FakeHost : public CompositeHost {
  public:
    FakeHost();

    HWND OwnerWindow() const override { return nullptr; }
    model::ConfigSets& Sets() override { return sets; }
    int ActiveProfile() const override { return profile; }
    model::GLayer CurrentLayer() const override { return layer; }
    const model::TextSource& Texts() const override { return texts; }
    const app::ProfileValues& ProfileValues() const override { return values; }
    void ShowButtonHover(int id, bool on) override { hovers.push_back({id, on}); }
    RECT ButtonScreenRect(int) const override { return button; }
    void RefreshAssignmentButtons() override { ++refreshes; }
    void SetPendingChanges() override { ++pending; }
    void OpenHelp() override { ++help; }

    model::ConfigSets sets;
    int profile = 0;
    model::GLayer layer = model::GLayer::kA;
    StagedTexts texts;
    ScratchValues scratch;
    app::ProfileValues values{scratch.get()};
    RECT button{100, 100, 140, 130};
    struct Hover {
        int id;
        bool on;
    };
    std::vector<Hover> hovers;
    int refreshes = 0, pending = 0, help = 0;
};

// A working macro for the fixture's list.
model::MacroRecord MakeMacro(uint16_t id, const std::u16string& name,
                             std::initializer_list<model::MacroAction> actions, uint8_t playCount = 1);

// Control ids of the main window's buttons the tests open the dialog for.
inline constexpr int kButtonA = 1058;  // key A, index 0x1E
inline constexpr int kButtonG1 = 1000;
inline constexpr int kButtonG9 = 1143;  // macro-only mode

class CompositeTest : public ::testing::Test {
  public:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Opens the dialog for a main-window button, runs `body` inside its loop
    // and cancels the dialog afterwards when the body left it open.
    INT_PTR Open(int controlId, const std::function<void()>& body);

    // Working set.
    void SetEntry(int profile, int keyIndex, model::KeyAssignment entry);
    model::KeyAssignment Entry(int profile, int keyIndex);
    void SetWorkingMacros(const std::vector<model::MacroRecord>& macros);
    std::vector<model::MacroRecord> WorkingMacros();

    // The dialog's controls.
    HWND Dlg() const { return dialog->hwnd(); }
    HWND Item(int id) const { return GetDlgItem(Dlg(), id); }
    void Click(int id);
    void ChooseRow(int comboId, int row);
    void TypeMacroName(const std::wstring& name);
    void TypeCycles(const std::wstring& text);
    std::wstring TextOf(int id) const;
    bool Visible(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Ticked(int id) const { return IsDlgButtonChecked(Dlg(), id) == BST_CHECKED; }
    int ComboRow(int id) const;
    int ComboCount(int id) const;
    std::wstring ComboText(int id, int row) const;

    // The action list.
    int ActionRows() const;
    std::wstring Cell(int row, int column) const;
    int SelectedAction() const;
    void SelectAction(int row);
    // A second click on a selected row's cell opens its editor.
    void ClickCell(int row, int column);
    HWND CellEditor() const;  // the edit box or the chooser now over a cell
    // Keys as the dialog's loop hands them on: through the message filter first.
    void PressKey(HWND target, UINT vk);
    // Handles what is posted, as the dialog's loop would.
    void PumpDialog();

    // Message boxes: every box is recorded and answered from `answers` (IDOK when empty).
    struct Box {
        std::wstring text;
        UINT flags;
    };
    std::vector<Box> boxes;
    std::deque<int> answers;
    // Runs inside a box before it is answered (a close request arriving then).
    std::function<void()> during_box;

    FakeHost host;
    std::unique_ptr<Kelvarin_DlgComposite> dialog;
};

}  // namespace kv::ui::test
