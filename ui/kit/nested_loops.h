// Modal loops the user-interface thread runs on top of its main window's own:
// message boxes, sub-dialogs, menus and file dialogs. A request to end the
// program (or to close a sub-dialog) can arrive while one of them is up, from
// a tray click, another process or the keyboard going away. Ending every
// nested loop first, and acting only once they have all returned, keeps a
// handler that still waits in one of them from finding its data freed.
//
//   NestedLoop loop([&] { composite.CloseIfOpen(); });  // around DoModal
//   if (!loop.EndRequested()) composite.DoModal();      // refused: not entered at all
//   int answer = NestedMessageBox(owner, text, caption, MB_YESNO);
//   if (!dialogStillOpen) return;                        // ended from outside
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kv::ui {

class NestedLoop {
  public:
    using EndFn = std::function<void()>;
    // Registers a loop of this thread; `end` makes it return soon (EndDialog,
    // EndMenu, a posted cancel). Construct it right before entering the loop.
    // While loops are refused it is ended at once (EndRequested): do not enter it then.
    explicit NestedLoop(EndFn end);
    ~NestedLoop();
    NestedLoop(const NestedLoop&) = delete;
    NestedLoop& operator=(const NestedLoop&) = delete;

    // Runs `end` once; later calls do nothing.
    void End();
    bool EndRequested() const { return ended_; }

  private:
    EndFn end_;
    bool ended_ = false;
};

// Loops of this thread registered now.
int NestedLoopDepth();
// Ends every registered loop of this thread, innermost first. They return
// once the calls now on the stack unwind to them.
void EndNestedLoops();
// While refused (the program is ending), a loop of this thread that starts
// is ended at once: boxes, menus and file dialogs are then not shown at all.
void RefuseNestedLoops(bool refuse);
bool NestedLoopsRefused();
// Runs `then` once no loop of this thread is registered any more: at once
// when there is none, else right after the last one has returned.
void WhenNestedLoopsEnd(std::function<void()> then);

// MessageBoxW run as a nested loop. Ended from outside it answers 0, which
// is neither OK nor Yes.
int NestedMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);
// TrackPopupMenu (flags without TPM_RETURNCMD) run as a nested loop.
BOOL NestedPopupMenu(HMENU popup, UINT flags, int x, int y, HWND owner);

// Runs `show`, which creates one top-level dialog on this thread and returns
// when it has closed (a message box, a common file dialog), as a nested loop.
// `cancel` receives that dialog's window when the loop is ended from outside;
// when the end comes before the window exists, it is called as soon as the
// window does.
void RunCapturingDialog(const std::function<void()>& show, const std::function<void(HWND)>& cancel);

// Tests: answers every NestedMessageBox without showing one (null restores boxes).
using MessageBoxAnswerer = std::function<int(const std::wstring& text, UINT flags)>;
void SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

}  // namespace kv::ui
