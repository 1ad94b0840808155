#include "ui/kit/nested_loops.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace kv::ui {

namespace {

std::vector<NestedLoop*>& Loops() {
    thread_local std::vector<NestedLoop*> loops;
    return loops;
}

std::vector<std::function<void()>>& WhenEnded() {
    thread_local std::vector<std::function<void()>> then;
    return then;
}

bool& Refused() {
    thread_local bool refused = false;
    return refused;
}

MessageBoxAnswerer& Answerer() {
    static MessageBoxAnswerer answerer;
    return answerer;
}

// The dialog that RunCapturingDialog waits for, found by a thread hook as it is created.
struct Capture {
    HWND window = nullptr;
    bool cancel_pending = false;
    const std::function<void(HWND)>* cancel = nullptr;
    HHOOK hook = nullptr;
};

Capture*& CurrentCapture() {
    thread_local Capture* capture = nullptr;
    return capture;
}

bool IsDialogClass(LPCWSTR name) {
    constexpr ATOM kDialogAtom = 0x8002;  // "#32770"
    if (IS_INTRESOURCE(name)) return LOWORD(reinterpret_cast<ULONG_PTR>(name)) == kDialogAtom;
    return name && lstrcmpiW(name, L"#32770") == 0;
}

LRESULT CALLBACK CaptureHook(int code, WPARAM wParam, LPARAM lParam) {
    Capture* capture = CurrentCapture();
    if (capture && !capture->window) {
        const auto window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_CREATEWND) {
            const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
            if (!(create->style & WS_CHILD) && IsDialogClass(create->lpszClass)) capture->window = window;
        }
    } else if (capture && code == HCBT_ACTIVATE && capture->cancel_pending &&
               reinterpret_cast<HWND>(wParam) == capture->window) {
        capture->cancel_pending = false;
        (*capture->cancel)(capture->window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

NestedLoop::NestedLoop(EndFn end) : end_(std::move(end)) {
    Loops().push_back(this);
    if (Refused()) ended_ = true;  // nothing to end yet: the caller does not enter the loop
}

NestedLoop::~NestedLoop() {
    auto& loops = Loops();
    loops.erase(std::remove(loops.begin(), loops.end(), this), loops.end());
    if (!loops.empty() || WhenEnded().empty()) return;
    const std::vector<std::function<void()>> then = std::move(WhenEnded());
    WhenEnded().clear();
    for (const auto& run : then) run();
}

void NestedLoop::End() {
    if (ended_) return;
    ended_ = true;
    if (end_) end_();
}

int NestedLoopDepth() { return static_cast<int>(Loops().size()); }

void RefuseNestedLoops(bool refuse) { Refused() = refuse; }

void WhenNestedLoopsEnd(std::function<void()> then) {
    if (!then) return;
    if (Loops().empty()) {
        then();
        return;
    }
    WhenEnded().push_back(std::move(then));
}

bool NestedLoopsRefused() { return Refused(); }

void EndNestedLoops() {
    // A copy: ending a loop may unregister others.
    const std::vector<NestedLoop*> loops = Loops();
    for (auto it = loops.rbegin(); it != loops.rend(); ++it) {
        const auto& live = Loops();
        if (std::find(live.begin(), live.end(), *it) != live.end()) (*it)->End();
    }
}

void RunCapturingDialog(const std::function<void()>& show, const std::function<void(HWND)>& cancel) {
    Capture capture;
    capture.cancel = &cancel;
    Capture* outer = std::exchange(CurrentCapture(), &capture);
    capture.hook = SetWindowsHookExW(WH_CBT, CaptureHook, nullptr, GetCurrentThreadId());
    {
        NestedLoop loop([&capture] {
            if (capture.window && IsWindow(capture.window))
                (*capture.cancel)(capture.window);
            else
                capture.cancel_pending = true;
        });
        if (!loop.EndRequested()) show();
    }
    if (capture.hook) UnhookWindowsHookEx(capture.hook);
    CurrentCapture() = outer;
}

int NestedMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
    if (Refused()) return 0;
    if (Answerer()) return Answerer()(text, flags);
    int answer = 0;
    RunCapturingDialog([&] { answer = MessageBoxW(owner, text.c_str(), caption.c_str(), flags); },
                       [](HWND box) { EndDialog(box, 0); });
    return answer;
}

BOOL NestedPopupMenu(HMENU popup, UINT flags, int x, int y, HWND owner) {
    NestedLoop loop([] { EndMenu(); });
    if (loop.EndRequested()) return FALSE;
    return TrackPopupMenu(popup, flags & ~TPM_RETURNCMD, x, y, 0, owner, nullptr);
}

void SetMessageBoxAnswerer(MessageBoxAnswerer answerer) { Answerer() = std::move(answerer); }

}  // namespace kv::ui
