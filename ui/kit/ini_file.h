// A small INI file reader holding one path; the skinned dialogs keep one to
// read their "SCREEN" section.
#pragma once

#include <optional>
#include <string>

namespace kv::ui {

class CIniFile {
  public:
    static constexpr std::size_t kMaxPath = 259;
    static constexpr std::size_t kValueCapacity = 2048;  // characters, terminator included

    CIniFile() = default;
    explicit CIniFile(std::wstring path) { SetFile(std::move(path)); }

    // False (and no file set) for a path longer than kMaxPath characters.
    bool SetFile(std::wstring path);
    const std::wstring& file() const { return path_; }

    // The value (at most 2047 characters), or `fallback` when the key is
    // missing; nullopt when the result is empty.
    std::optional<std::wstring> GetString(const wchar_t* section, const wchar_t* key,
                                          const wchar_t* fallback = L"") const;

  private:
    std::wstring path_;
};

}  // namespace kv::ui
