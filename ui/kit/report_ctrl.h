// A report-style list view with a record per row (owner data, per-cell
// colours), in-place editing through owner hooks, tick boxes with a
// one-of-many mode, sorting by header click and row moves.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/kit/window.h"

namespace kv::ui {

// Colour value meaning "the system's default for this cell".
inline constexpr COLORREF kDefaultColor = static_cast<COLORREF>(-1);
// Row or column argument meaning "all of them".
inline constexpr int kAllCells = -1;

enum class TickMode { None = 0, Independent = 1, OneOfMany = 2, Fixed = 3 };

// Row states, combinable.
enum RowState : unsigned { kRowSelected = 1, kRowTicked = 2, kRowFocused = 4 };

class CReportCtrl;

// Colours for a list that sits on a skin instead of the system's window
// colours: the rows (and the empty area below them), the selected row and the
// column header.
struct ReportPalette {
    COLORREF text = RGB(0, 0, 0);
    COLORREF back = RGB(255, 255, 255);
    COLORREF selectedText = RGB(255, 255, 255);
    COLORREF selectedBack = RGB(0, 0, 128);
    COLORREF headerText = RGB(0, 0, 0);
    COLORREF headerBack = RGB(240, 240, 240);
    COLORREF headerLine = RGB(160, 160, 160);  // dividers and the line under the header
    COLORREF gridLine = RGB(208, 208, 208);
    COLORREF tickBox = RGB(255, 255, 255);  // inside an empty tick box
    COLORREF tickEdge = RGB(96, 96, 96);
    COLORREF tickFill = RGB(0, 0, 128);  // inside a ticked box
    COLORREF tickMark = RGB(255, 255, 255);
};

// The owner's hooks; any may be left empty.
struct ReportHooks {
    // 0: the owner put its own editor over the cell; other: show the edit box
    // with extraStyle (0 on entry) added.
    std::function<int(HWND list, CReportCtrl& ctrl, DWORD& extraStyle)> beginEdit;
    // First step of every end of edit; 0: the owner finished it and left
    // `changed` (0 on entry) as the answer.
    std::function<int(HWND list, CReportCtrl& ctrl, bool keep, int& changed)> endEdit;
    // A kept edit changed the text; 0 rejects it. May rewrite the edit box's text.
    std::function<int(HWND edit, CReportCtrl& ctrl)> endEditCheck;
    std::function<void(HWND list, CReportCtrl& ctrl)> beforeSort;
    std::function<void(HWND list, CReportCtrl& ctrl)> afterSort;
    // The control set or cleared a row's tick.
    std::function<void(int row, CReportCtrl& ctrl)> checkChanged;
};

class CReportCtrl : public Control {
  public:
    CReportCtrl();
    ~CReportCtrl() override;

    // ---- set-up ----
    int InsertColumn(int position, const std::wstring& header, int format, int width);
    bool DeleteColumn(int column);
    int ColumnCount() const;
    void SetGridLines(bool on);
    void SetTickMode(TickMode mode);
    TickMode GetTickMode() const { return tickMode_; }
    void SetHeaderClickable(bool clickable);
    void SetSortable(bool sortable) { sortable_ = sortable; }
    void EnableEditing(bool on);
    void SetOwner(void* ownerDialog, int* quietFlag);
    void* OwnerDialog() const { return ownerDialog_; }
    void SetHooks(ReportHooks hooks) { hooks_ = std::move(hooks); }
    // From now on the list draws itself in these colours: every cell, rows
    // added later and kDefaultColor take the palette's text and background.
    void SetPalette(const ReportPalette& palette);
    const std::optional<ReportPalette>& Palette() const { return palette_; }

    // ---- rows ----
    int InsertRow(int position, const std::wstring& text);
    int RowCount() const;
    void SetRowData(int row, void* data);
    void* GetRowData(int row) const;
    void SetCellText(int row, int column, const std::wstring& text);
    std::wstring GetCellText(int row, int column) const;
    void SetCellTextColor(int row, int column, COLORREF color);  // row/column may be kAllCells
    void SetCellBackColor(int row, int column, COLORREF color);
    COLORREF GetCellTextColor(int row, int column) const;
    COLORREF GetCellBackColor(int row, int column) const;
    int FindRowByText(const std::wstring& text) const;  // first column, any case
    bool HasState(int row, unsigned states) const;      // all of the given states
    int CountRows(unsigned states) const;
    int FindRow(unsigned states, int after = -1) const;
    void SetRowState(int row, unsigned states, bool on);
    bool DeleteRow(int row, bool selectNext);
    void DeleteAllRows();
    int MoveRow(int from, int to);
    int MoveToTop(int row) { return MoveRow(row, -1); }
    int MoveUp(int row, int n = 1) { return MoveRow(row, row - n); }
    int MoveDown(int row, int n = 1) { return MoveRow(row, row + n); }
    int MoveToBottom(int row) { return MoveRow(row, INT_MAX); }

    // ---- editing ----
    void StartEdit(int row, int column);
    int EndEdit(bool keep);
    int EditedRow() const { return editRow_; }
    int EditedColumn() const { return editColumn_; }
    bool IsEditing() const { return editRow_ >= 0; }
    HWND EditBox() const;

    // ---- sorting ----
    void SortByColumn(int column);  // as a header click does
    int SortColumn() const { return sortColumn_; }
    bool SortAscending() const { return ascending_; }

    // The key rules; true when the key must go no further. Owners with their
    // own message loop pass key presses through PreTranslate.
    bool HandleKey(UINT virtualKey);
    bool PreTranslate(const MSG& message);

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnAttached() override;

  private:
    struct Row;
    class EditBoxControl;
    class HeaderControl;
    struct Snapshot;

    LRESULT OnMouseButton(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnLeftDown(WPARAM w, LPARAM l) { return OnMouseButton(WM_LBUTTONDOWN, w, l); }
    LRESULT OnLeftDouble(WPARAM w, LPARAM l) { return OnMouseButton(WM_LBUTTONDBLCLK, w, l); }
    LRESULT OnRightDown(WPARAM w, LPARAM l) { return OnMouseButton(WM_RBUTTONDOWN, w, l); }
    LRESULT OnRightDouble(WPARAM w, LPARAM l) { return OnMouseButton(WM_RBUTTONDBLCLK, w, l); }
    LRESULT OnMiddleDown(WPARAM w, LPARAM l) { return OnMouseButton(WM_MBUTTONDOWN, w, l); }
    LRESULT OnMiddleDouble(WPARAM w, LPARAM l) { return OnMouseButton(WM_MBUTTONDBLCLK, w, l); }
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnChar(WPARAM, LPARAM);
    LRESULT OnVerticalScroll(WPARAM, LPARAM);
    LRESULT OnHeaderClick(NMHDR*);
    LRESULT OnReflectedNotify(WPARAM, LPARAM);
    LRESULT OnCommand(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);

    void ApplyExtendedStyle(DWORD requested);
    void HandleTickClick(int row, bool ticked);
    void SelectOnly(int row);
    bool GetTick(int row) const;
    void PutTick(int row, bool on);
    unsigned RawState(int row) const;
    Row* RecordOf(int row) const;
    void FreeRecord(Row* record);
    void ForEachCell(int row, int column, const std::function<void(Row&, int)>& action);
    Snapshot TakeSnapshot(int row) const;
    void Restore(int row, const Snapshot& snapshot);
    void WithQuietFlag(const std::function<void()>& action);
    LRESULT CustomDraw(NMLVCUSTOMDRAW* draw);
    COLORREF DefaultText() const;
    COLORREF DefaultBack() const;
    void DrawGridLines(HDC dc);
    void InstallTickImages();

    std::vector<std::unique_ptr<Row>> records_;
    std::unique_ptr<EditBoxControl> editBox_;
    std::optional<ReportPalette> palette_;
    std::unique_ptr<HeaderControl> header_;  // paints the header in the palette's colours
    HIMAGELIST tickImages_ = nullptr;        // the palette's tick boxes; the list destroys them
    bool editingEnabled_ = false;
    int editRow_ = -1, editColumn_ = -1;
    TickMode tickMode_ = TickMode::Independent;
    int editAlignment_ = 0;
    int sortColumn_ = -1;
    bool ascending_ = true;
    bool sortable_ = true;
    bool headerClickable_ = true;
    bool gridLines_ = false;
    void* ownerDialog_ = nullptr;
    int* quietFlag_ = nullptr;
    ReportHooks hooks_;
    bool endingEdit_ = false;
};

}  // namespace kv::ui
