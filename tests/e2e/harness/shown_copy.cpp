#include "harness/shown_copy.h"

namespace kv::e2e {

namespace {

constexpr long long kAssignmentBlockSize = 32832;

}  // namespace

ShownCopy::ShownCopy(DWORD language, const std::function<void(ProgramCopy&)>& prepare) {
    ChooseLanguage(language);
    if (prepare) prepare(copy_);
    DeleteFileW(WorkingProfileFile().c_str());
    child_ = copy_.Launch(L"/Start");
    HWND main = WaitUntilReady(child_.pid, 60s);
    if (!main) {
        problem_ = "no initialised main window";
        return;
    }
    if (!WaitFor([] { return FileSize(WorkingProfileFile()) >= kAssignmentBlockSize; }, 60s)) {
        problem_ = "no read-back";
        return;
    }
    // The read-back run records the keyboard right after the working set is
    // loaded; until then an Open request answers "no keyboard". Ask again until it opens.
    const std::wstring no_device = LanguageText(language, L"TEXT", L"MAIN_NO_DEVICE_PROMPT");
    const bool shown = WaitFor(
        [&] {
            if (IsWindowVisible(main)) return true;
            if (FindMessageBox(child_.pid, no_device)) AnswerMessageBox(child_.pid, no_device, IDOK, 10s);
            PostMessageW(main, ids::kMsgShow, ids::kCodeOpen, 0);
            return WaitFor(
                       [&] {
                           return IsWindowVisible(main) != FALSE || FindMessageBox(child_.pid, no_device);
                       },
                       2s) &&
                   IsWindowVisible(main);
        },
        60s);
    if (!shown) {
        problem_ = "the window did not open";
        return;
    }
    main_ = main;
}

}  // namespace kv::e2e
