#include "config_json/utf8_text.h"

#include <cstdint>

#include "config_json/hex_text.h"

namespace kv::config_json {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Code points of the text; a lone surrogate gives `lone` (or stops when 0).
std::optional<std::string> Convert(std::u16string_view text, char32_t lone) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (IsHigh(u) && i + 1 < text.size() && IsLow(text[i + 1])) {
            AppendUtf8(out, 0x10000 + ((char32_t{u} - 0xD800) << 10) + (char32_t{text[i + 1]} - 0xDC00));
            ++i;
        } else if (IsHigh(u) || IsLow(u)) {
            if (lone == 0) return std::nullopt;
            AppendUtf8(out, lone);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

}  // namespace

std::optional<std::string> Utf8Of(std::u16string_view text) { return Convert(text, 0); }

std::string Utf8ForDisplay(std::u16string_view text) { return *Convert(text, 0xFFFD); }

std::optional<std::u16string> Utf16Of(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<uint8_t>(utf8[i]);
        int extra = 0;
        char32_t c = 0;
        char32_t least = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F, extra = 1, least = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F, extra = 2, least = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07, extra = 3, least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (utf8.size() - i <= static_cast<size_t>(extra)) return std::nullopt;  // cut short
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<uint8_t>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        if (extra > 0 && c < least) return std::nullopt;  // overlong
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
        if (c >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += 1 + extra;
    }
    return out;
}

Json TextJson(std::u16string_view text) {
    if (auto utf8 = Utf8Of(text)) return *utf8;
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t u : text) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    return Json{{"utf16", HexOf(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))}};
}

std::u16string TextFromJson(const Json& value, const Place& place, size_t max_units) {
    std::u16string text;
    if (value.is_string()) {
        auto converted = Utf16Of(value.get_ref<const std::string&>());
        if (!converted) place.Fail("is not well-formed UTF-8");
        text = std::move(*converted);
    } else if (value.is_object()) {
        const ObjectReader object(value, place);
        object.AllowOnly({"utf16"});
        const auto bytes = BytesOfHex(ReadString(object.Required("utf16"), object.At("utf16")));
        if (!bytes || bytes->size() % 2 != 0)
            object.At("utf16").Fail("must be UTF-16LE bytes in hexadecimal, two bytes per unit");
        for (size_t i = 0; i + 1 < bytes->size(); i += 2)
            text.push_back(static_cast<char16_t>((*bytes)[i] | ((*bytes)[i + 1] << 8)));
    } else {
        place.Fail("must be a string");
    }
    if (text.find(u'\0') != std::u16string::npos) place.Fail("must not contain a NUL character");
    if (text.size() > max_units) {
        place.Fail("is " + std::to_string(text.size()) + " UTF-16 units long; at most " +
                   std::to_string(max_units) + " fit");
    }
    return text;
}

}  // namespace kv::config_json
