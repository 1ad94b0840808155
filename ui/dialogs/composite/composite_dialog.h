// The key assignment dialog: gives one key of the active profile another
// key, a mouse button or wheel direction, a macro, a multimedia or a keyboard
// function, or its default back; edits and records macros. The main window
// owns it for the whole run and opens it for each key with SelectKey.
//
// Closing: OK, Cancel and CloseIfOpen only end the dialog's loop; the
// clean-up (hooks, rows, the clicked button's faces) runs in SelectKey once
// the loop has returned, never under a handler that is still running.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>

#include "model/macro/macro_commit.h"
#include "ui/dialogs/composite/action_list.h"
#include "ui/dialogs/composite/choice_page.h"
#include "ui/dialogs/composite/composite_chrome.h"
#include "ui/dialogs/composite/composite_combos.h"
#include "ui/dialogs/composite/composite_context.h"
#include "ui/dialogs/composite/composite_gdi.h"
#include "ui/dialogs/composite/composite_host.h"
#include "ui/dialogs/composite/composite_pictures.h"
#include "ui/dialogs/composite/dialog_key_filter.h"
#include "ui/dialogs/composite/key_page.h"
#include "ui/dialogs/composite/keyboard_hooks.h"
#include "ui/dialogs/composite/macro_page.h"
#include "ui/dialogs/composite/macro_recording.h"
#include "ui/dialogs/sub_dialog.h"
#include "ui/kit/base_dialog.h"

namespace kv::ui {

// 'PA' with 'LANG': the texts of the current language; 'MN' is ignored.
inline constexpr UINT kCompositeLanguageMessage = 0x5041;
inline constexpr WPARAM kCompositeLanguageCode = 0x4C414E47;
inline constexpr UINT kCompositeIgnoredMessage = 0x4D4E;

class Kelvarin_DlgComposite : public CBaseDialog, public SubDialog, private CompositeContext {
  public:
    // moduleFolder: the program's folder, with a trailing backslash.
    Kelvarin_DlgComposite(CompositeHost& host, const std::wstring& moduleFolder);
    ~Kelvarin_DlgComposite() override;

    // Start-up, with the main window's own images: false when a picture is
    // missing (the caller ends the program silently).
    bool LoadPictures();

    // A click on a main-window button (a key button, a G button; 1143 opens
    // macro-only mode). Runs the dialog modally; does nothing for another
    // control, while the dialog is open or before the pictures are loaded.
    INT_PTR SelectKey(int controlId);

    bool IsOpen() const override { return open_ && !closing_; }
    void CloseIfOpen() override;

    // Tests: a clock for the recorder (null: GetTickCount), and a stand-in
    // for the macro commit (null: the real one).
    using Clock = std::function<uint32_t()>;
    void SetClock(Clock clock) { clock_ = std::move(clock); }
    using Committer =
        std::function<model::MacroCommitResult(model::ConfigSets&, std::span<model::MacroRecord>)>;
    void SetCommitter(Committer committer) { committer_ = std::move(committer); }

    // What the dialog is editing (tests and the end-to-end harness read these).
    model::KeyIndex KeyIndex() const { return key_index_; }
    bool MacroOnly() const { return macro_only_; }
    uint16_t Kind() const override { return kind_; }
    bool Changed() const { return changed_; }
    composite::Page CurrentPage() const { return page_; }
    bool Recording() const { return recording_.Recording(); }
    const KeyboardHooks& Hooks() const { return hooks_; }

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    BOOL OnInitDialog() override;
    void OnOk() override;
    void OnCancel() override;

  private:
    // CompositeContext.
    HWND Hwnd() const override { return hwnd_; }
    CompositeHost& Host() const override { return host_; }
    const CompositeCanvases& Canvases() const override { return canvases_; }
    int EditedEntry() const override;
    bool Listening() const override { return IsOpen() && !asking_; }
    void SetKind(uint16_t kind) override { kind_ = kind; }
    void MarkChanged() override;
    std::wstring Text(const wchar_t* section, const wchar_t* key) const override;
    int Ask(const std::wstring& text, UINT flags) override;
    uint32_t Now() const override;

    // Messages and commands.
    LRESULT OnLanguage(WPARAM, LPARAM);
    LRESULT OnIgnored(WPARAM, LPARAM) { return 0; }
    LRESULT OnHelp(WPARAM, LPARAM);
    LRESULT OnColor(WPARAM, LPARAM);
    LRESULT OnEditColor(WPARAM, LPARAM);
    LRESULT OnHookFailed(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    void OnApplyButton(WORD) { Apply(); }
    void OnTabKey(WORD);
    void OnTabMacro(WORD) { ChangeKind(model::kKindMacro); }
    void OnTabMedia(WORD) { ChangeKind(model::kKindMedia); }
    void OnTabFunction(WORD) { ChangeKind(model::kKindFunction); }
    void OnClear(WORD);
    void OnOnScreenKeyboard(WORD);
    void OnMediaChosen(WORD) { media_.OnChosen(); }
    void OnFunctionChosen(WORD) { function_.OnChosen(); }

    // Steps.
    void ReadStoredEntry();
    void ChangeKind(uint16_t kind);
    void SetUpPage(bool initial);
    void Position();
    void ApplyTexts();
    bool Apply();
    void CloseWith(INT_PTR result);
    void ReleaseHooks();
    void CleanUp();

    CompositeHost& host_;
    std::wstring module_folder_;
    CompositePictures pictures_;
    CompositeCanvases canvases_;
    CompositeGdi gdi_;
    KeyboardHooks hooks_;
    DialogKeyFilter key_filter_;
    CompositeChrome chrome_;
    CompositeCombos combos_;
    KeyPage key_page_;
    ActionList actions_;
    MacroPage macros_;
    MacroRecording recording_;
    ChoicePage media_;
    ChoicePage function_;

    int clicked_ = 0;
    model::KeyIndex key_index_ = 0;
    int profile_ = 0;
    bool macro_only_ = false;
    uint16_t kind_ = 0;
    model::KeyAssignment stored_{};
    composite::Page page_ = composite::Page::kKey;
    bool changed_ = false;
    bool open_ = false;
    bool closing_ = false;
    bool hook_failure_posted_ = false;
    bool asking_ = false;  // one of the dialog's message boxes is up
    Clock clock_;
    Committer committer_;
};

}  // namespace kv::ui
