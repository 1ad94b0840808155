// Inner pieces of the report list, shared by its source files.
#pragma once

#include <string>
#include <vector>

#include "ui/kit/report_ctrl.h"

namespace kv::ui {

// The record behind every row: the owner's pointer and one colour per column.
struct CReportCtrl::Row {
    void* ownerData = nullptr;
    std::vector<COLORREF> text;
    std::vector<COLORREF> back;
};

// Everything a row carries, for moving it around.
struct CReportCtrl::Snapshot {
    std::vector<std::wstring> texts;
    std::vector<int> images;
    LPARAM record = 0;
    UINT state = 0;  // selection, focus and tick bits
};

// The in-place editor: passes Tab, Enter and Escape to the list's key rules.
class CReportCtrl::EditBoxControl : public Control {
  public:
    explicit EditBoxControl(CReportCtrl& list) : list_(list) {}
    ~EditBoxControl() override {
        HWND edit = hwnd();
        Detach();
        if (edit) DestroyWindow(edit);
    }

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnChar(WPARAM, LPARAM);
    LRESULT OnGetDlgCode(WPARAM, LPARAM) { return DLGC_WANTALLKEYS; }
    CReportCtrl& list_;
};

// Paints the column header in the palette's colours instead of the system's.
class CReportCtrl::HeaderControl : public Control {
  public:
    explicit HeaderControl(const ReportPalette& palette) : palette_(palette) {}
    void SetPalette(const ReportPalette& palette) { palette_ = palette; }

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnPrintClient(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM) { return 1; }
    void Paint(HDC dc);
    ReportPalette palette_;
};

inline constexpr int kEditLimit = 100;
inline constexpr int kCompareLimit = 259;

}  // namespace kv::ui
