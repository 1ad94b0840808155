// Language text lookup as the portable code sees it. The Win32 side reads the
// language INI files; tests use a map.
#pragma once

#include <string>
#include <string_view>

namespace kv::model {

// Missing keys (or a missing file) read as this text.
inline constexpr std::u16string_view kMissingText = u"#Error";

class TextSource {
public:
    virtual ~TextSource() = default;
    // Section "TEXT", "LIGHT" or "MODE"; key as it stands in the file.
    virtual std::u16string Text(std::u16string_view section, std::u16string_view key) const = 0;
};

}  // namespace kv::model
