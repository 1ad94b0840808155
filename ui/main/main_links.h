// The three web addresses of the skin's "SCREEN" section: "Link" (only the
// tooltip of the maker's button, which always opens the maker's own address),
// "Facebook_Link" and "Twitter_Link" (tooltips and addresses of 1209, 1210).
#pragma once

#include <string>
#include <string_view>

namespace kv::ui {

// The maker's address, whatever the skin says.
inline constexpr wchar_t kMakerAddress[] = L"https://kelvarin.example/";
// Used when the skin has no value for a link.
inline constexpr wchar_t kDefaultLinkAddress[] = L"https://kelvarin.example/";

struct MainLinks {
    std::wstring link, facebook, twitter;

    // At most 259 characters each, as the skin's reader gives them.
    static MainLinks Read(const std::wstring& skinFile);
};

// What a web-link button opens for the skin's address: the address when it
// is a plain web address, else kDefaultLinkAddress.
std::wstring OpenableLinkAddress(std::wstring_view address);

}  // namespace kv::ui
