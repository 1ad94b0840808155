#include "model/keys/key_names.h"

#include "model/keys/key_table.h"
#include "model/keys/text_format.h"

namespace kv::model {
namespace {

std::u16string CutToCapacity(std::u16string text, std::size_t capacity) {
    const std::size_t limit = capacity == 0 ? 0 : capacity - 1;
    if (text.size() <= limit) return text;
    std::size_t keep = limit;
    // Do not leave half a surrogate pair at the end.
    if (keep > 0 && text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF) --keep;
    text.resize(keep);
    return text;
}

}  // namespace

std::u16string ListEntryName(const TextSource& texts, std::uint16_t list_number) {
    const auto table = KeyTable();
    for (const KeyInfo& row : table) {
        if (row.InUse() && row.list_number == list_number) {
            return row.text_key.empty() ? std::u16string() : texts.Text(kTextSection, row.text_key);
        }
    }
    return {};
}

std::u16string KeyDisplayName(const TextSource& texts, KeyCode code, std::size_t capacity) {
    const KeyInfo& row = KeyRowOf(code);
    std::u16string text;
    if (!row.text_key.empty()) text = texts.Text(kTextSection, row.text_key);
    if (text.empty()) text = FormatWithNumber(texts.Text(kTextSection, kUnknownKeyTextKey), code);
    return CutToCapacity(std::move(text), capacity);
}

std::u16string FunctionTextKey(int function_number) {
    std::u16string key = u"FUNC_KEY_DESC";
    for (char c : std::to_string(function_number + 1)) key.push_back(static_cast<char16_t>(c));
    return key;
}

std::u16string FunctionName(const TextSource& texts, int function_number) {
    return texts.Text(kTextSection, FunctionTextKey(function_number));
}

}  // namespace kv::model
