// Web addresses that come from files anyone can edit (skins): the shell opens
// whatever it is given, a program or a document as well as a web page, so
// only plain http and https addresses are handed to it.
#pragma once

#include <string_view>

namespace kv::ui {

// "http://" or "https://" (any letter case), a host, and nothing that could
// end the address early for the browser that receives it: no blanks, control
// characters, quotes or angle brackets.
bool IsPlainWebAddress(std::wstring_view address);
// Opens the address with the shell verb "open", shown normally. Refuses (false,
// nothing started) anything that is not a plain web address; false as well
// when the shell could not open it.
bool OpenWebAddress(std::wstring_view address);

}  // namespace kv::ui
