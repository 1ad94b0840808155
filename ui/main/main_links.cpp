#include "ui/main/main_links.h"

#include "ui/kit/skin_entry.h"
#include "ui/kit/web_address.h"

namespace kv::ui {

namespace {

constexpr size_t kLinkCapacity = 259;

std::wstring LinkOrDefault(const std::wstring& skinFile, const wchar_t* key) {
    std::wstring value = ReadSkinText(skinFile, L"SCREEN", key);
    if (value.empty()) return kDefaultLinkAddress;
    if (value.size() > kLinkCapacity) value.resize(kLinkCapacity);
    return value;
}

}  // namespace

std::wstring OpenableLinkAddress(std::wstring_view address) {
    return IsPlainWebAddress(address) ? std::wstring(address) : std::wstring(kDefaultLinkAddress);
}

MainLinks MainLinks::Read(const std::wstring& skinFile) {
    return {LinkOrDefault(skinFile, L"Link"), LinkOrDefault(skinFile, L"Facebook_Link"),
            LinkOrDefault(skinFile, L"Twitter_Link")};
}

}  // namespace kv::ui
