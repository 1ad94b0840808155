#include "harness/list_view.h"

#include <commctrl.h>

#include "harness/remote_memory.h"

namespace kv::e2e {

namespace {

constexpr size_t kTextCapacity = 512;

}  // namespace

std::optional<std::vector<ListRow>> ListRows(HWND list) {
    RemoteProcess process(list);
    if (!process) return std::nullopt;
    // The item record and its text buffer live in the list's process: the
    // list writes the text where the record points.
    RemoteBlock block(process, sizeof(LVITEMW) + kTextCapacity * sizeof(wchar_t));
    LRESULT count = 0, header = 0, columns = 0;
    if (!block || !AskRemote(list, LVM_GETITEMCOUNT, 0, 0, &count) ||
        !AskRemote(list, LVM_GETHEADER, 0, 0, &header) ||
        !AskRemote(reinterpret_cast<HWND>(header), HDM_GETITEMCOUNT, 0, 0, &columns))
        return std::nullopt;
    std::vector<ListRow> rows;
    for (LRESULT row = 0; row < count; ++row) {
        ListRow texts;
        for (LRESULT column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = static_cast<int>(column);
            item.pszText = reinterpret_cast<LPWSTR>(block.at(sizeof(LVITEMW)));
            item.cchTextMax = static_cast<int>(kTextCapacity);
            wchar_t text[kTextCapacity] = {};
            if (!block.Write(0, &item, sizeof item) ||
                !AskRemote(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                           reinterpret_cast<LPARAM>(block.at(0))) ||
                !block.Read(sizeof(LVITEMW), text, sizeof text - sizeof(wchar_t)))
                return std::nullopt;
            texts.emplace_back(text);
        }
        rows.push_back(std::move(texts));
    }
    return rows;
}

}  // namespace kv::e2e
