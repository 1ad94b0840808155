#include "harness/list_view.h"

#include <commctrl.h>

namespace kv::e2e {

namespace {

constexpr UINT kTimeoutMs = 5000;
constexpr size_t kTextCapacity = 512;

// One block of memory in another process, freed with the object.
class RemoteBlock {
  public:
    RemoteBlock(HANDLE process, size_t size)
        : process_(process),
          address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ~RemoteBlock() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    explicit operator bool() const { return address_ != nullptr; }
    void* get() const { return address_; }
    char* bytes() const { return static_cast<char*>(address_); }

  private:
    HANDLE process_;
    void* address_;
};

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kTimeoutMs, &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

}  // namespace

std::optional<std::vector<ListRow>> ListRows(HWND list) {
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return std::nullopt;
    std::optional<std::vector<ListRow>> rows;
    {
        // The item record and its text buffer live in the list's process: the
        // list writes the text where the record points.
        RemoteBlock block(process, sizeof(LVITEMW) + kTextCapacity * sizeof(wchar_t));
        const auto count = Ask(list, LVM_GETITEMCOUNT, 0, 0);
        const auto header = Ask(list, LVM_GETHEADER, 0, 0);
        const auto columns =
            header ? Ask(reinterpret_cast<HWND>(*header), HDM_GETITEMCOUNT, 0, 0) : std::nullopt;
        if (block && count && columns) {
            rows.emplace();
            for (LRESULT row = 0; row < *count && rows; ++row) {
                ListRow texts;
                for (LRESULT column = 0; column < *columns; ++column) {
                    LVITEMW item{};
                    item.iSubItem = static_cast<int>(column);
                    item.pszText = reinterpret_cast<LPWSTR>(block.bytes() + sizeof(LVITEMW));
                    item.cchTextMax = static_cast<int>(kTextCapacity);
                    wchar_t text[kTextCapacity] = {};
                    SIZE_T moved = 0;
                    if (!WriteProcessMemory(process, block.get(), &item, sizeof item, &moved) ||
                        !Ask(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(block.get())) ||
                        !ReadProcessMemory(process, block.bytes() + sizeof(LVITEMW), text,
                                           sizeof text - sizeof(wchar_t), &moved)) {
                        rows.reset();
                        break;
                    }
                    texts.emplace_back(text);
                }
                if (rows) rows->push_back(std::move(texts));
            }
        }
    }
    CloseHandle(process);
    return rows;
}

}  // namespace kv::e2e
