// Window bases whose window procedure hands every message to Route (message_map.h).
// The wrappers do not own their HWND: the window's own lifetime ends it.
#pragma once

#include <windows.h>

#include <string>

namespace kv::ui {

// A dialog hands every WM_NOTIFY it leaves alone back to the control that sent
// it as this message (same wParam and lParam), so a control can answer its own
// notifications, e.g. custom drawing.
inline constexpr UINT kReflectedNotify = WM_APP + 0x3A00;
// Likewise a list hands a child's WM_COMMAND back to that child (the cell editor's selection change).
inline constexpr UINT kReflectedCommand = WM_APP + 0x3A01;

// The text of any window.
std::wstring WindowText(HWND window);

class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window() = default;

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    int Id() const { return GetDlgCtrlID(hwnd_); }
    std::wstring Text() const;

  protected:
    // Returns true when the message was handled and result holds its answer.
    virtual bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    // The processing the message would get without this class.
    virtual LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Called once the window is gone (WM_NCDESTROY), after hwnd() is cleared.
    virtual void OnFinalMessage() {}

    HWND hwnd_ = nullptr;
};

// Where a dialog's template comes from: a resource, or a template in memory.
struct DialogTemplate {
    HINSTANCE instance = nullptr;
    LPCWSTR name = nullptr;               // resource name or MAKEINTRESOURCEW(id)
    const DLGTEMPLATE* memory = nullptr;  // used when set

    static DialogTemplate FromResource(int id) {
        return {GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr};
    }
    static DialogTemplate FromMemory(const DLGTEMPLATE* t) { return {nullptr, nullptr, t}; }
};

// A dialog from a template, modal or modeless.
class Dialog : public Window {
  public:
    explicit Dialog(DialogTemplate dialogTemplate) : template_(dialogTemplate) {}
    ~Dialog() override;

    INT_PTR DoModal(HWND parent);
    HWND Create(HWND parent);  // modeless; not shown unless the template says so
    // Ends a modal dialog with the result, or destroys a modeless one.
    void End(INT_PTR result);
    bool IsModal() const { return modal_; }

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // A dialog's default processing is the dialog manager's: nothing to call.
    LRESULT CallDefault(UINT, WPARAM, LPARAM) override { return 0; }
    // WM_INITDIALOG; returns whether the system should set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // IDOK and IDCANCEL (also Escape and the close box): both end the dialog.
    virtual void OnOk() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }

  private:
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT InitDialogMessage(WPARAM, LPARAM);
    LRESULT ReflectNotify(WPARAM, LPARAM);
    void OkCommand(WORD) { OnOk(); }
    void CancelCommand(WORD) { OnCancel(); }

    DialogTemplate template_;
    bool modal_ = false;
};

// A control of a system class (button, list view, edit, ...) that this object
// subclasses: Route sees every message first; CallDefault is the control's own
// behaviour.
class Control : public Window {
  public:
    ~Control() override;

    bool Attach(HWND control);
    bool Attach(HWND dialog, int id) { return Attach(GetDlgItem(dialog, id)); }
    // Creates a child of the given system class and attaches to it.
    bool Create(LPCWSTR className, HWND parent, int id, DWORD style, const RECT& rect, DWORD exStyle = 0,
                LPCWSTR text = L"");
    void Detach();

  protected:
    bool Route(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
    LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Runs right after Attach, with hwnd() set.
    virtual void OnAttached() {}

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR subclassId, DWORD_PTR self);
};

}  // namespace kv::ui
