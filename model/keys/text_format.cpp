#include "model/keys/text_format.h"

#include <algorithm>

namespace kv::model {
namespace {

// Far more than a 260-character text can show; keeps "%999999999d" harmless.
constexpr std::size_t kMaxField = 260;

struct Spec {
    bool left = false, plus = false, space = false, alt = false, zero = false;
    std::size_t width = 0;
    bool has_precision = false;
    std::size_t precision = 0;
    bool wide_int = false;  // ll, I64, j: the value is not cut to 32 bits
    char16_t conversion = 0;
    std::size_t end = 0;  // one past the conversion character
};

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::size_t ReadNumber(std::u16string_view f, std::size_t& i) {
    std::size_t n = 0;
    while (i < f.size() && IsDigit(f[i])) {
        n = std::min(n * 10 + static_cast<std::size_t>(f[i] - u'0'), kMaxField);
        ++i;
    }
    return n;
}

// Parses the conversion that starts at f[start] == '%'. False when the text
// ends before a conversion character.
bool ParseSpec(std::u16string_view f, std::size_t start, Spec& s) {
    std::size_t i = start + 1;
    for (; i < f.size(); ++i) {
        const char16_t c = f[i];
        if (c == u'-')
            s.left = true;
        else if (c == u'+')
            s.plus = true;
        else if (c == u' ')
            s.space = true;
        else if (c == u'#')
            s.alt = true;
        else if (c == u'0')
            s.zero = true;
        else
            break;
    }
    s.width = ReadNumber(f, i);
    if (i < f.size() && f[i] == u'.') {
        ++i;
        s.has_precision = true;
        s.precision = ReadNumber(f, i);
    }
    while (i < f.size()) {
        const char16_t c = f[i];
        if (c == u'I' && f.substr(i, 3) == u"I64") {
            s.wide_int = true;
            i += 3;
        } else if (c == u'I' && f.substr(i, 3) == u"I32") {
            i += 3;
        } else if (c == u'l' && f.substr(i, 2) == u"ll") {
            s.wide_int = true;
            i += 2;
        } else if (c == u'j') {
            s.wide_int = true;
            ++i;
        } else if (c == u'h' || c == u'l' || c == u'L' || c == u'z' || c == u't' || c == u'w' || c == u'I') {
            ++i;
        } else {
            break;
        }
    }
    if (i >= f.size()) return false;
    s.conversion = f[i];
    s.end = i + 1;
    return true;
}

std::u16string Digits(std::uint64_t v, unsigned base, bool upper) {
    const char16_t* set = upper ? u"0123456789ABCDEF" : u"0123456789abcdef";
    std::u16string out;
    do {
        out.push_back(set[v % base]);
        v /= base;
    } while (v != 0);
    std::reverse(out.begin(), out.end());
    return out;
}

void Pad(std::u16string& out, const Spec& s, std::u16string_view prefix, std::u16string_view body) {
    const std::size_t len = prefix.size() + body.size();
    const std::size_t fill = s.width > len ? s.width - len : 0;
    if (s.left) {
        out.append(prefix).append(body).append(fill, u' ');
    } else if (s.zero && !s.has_precision && s.conversion != u's' && s.conversion != u'S') {
        out.append(prefix).append(fill, u'0').append(body);
    } else {
        out.append(fill, u' ').append(prefix).append(body);
    }
}

bool FormatInteger(std::u16string& out, const Spec& s, std::int64_t value) {
    std::u16string_view prefix;
    std::u16string body;
    const char16_t c = s.conversion;
    if (c == u'd' || c == u'i') {
        const std::int64_t v = s.wide_int ? value : static_cast<std::int32_t>(value);
        const std::uint64_t magnitude =
            v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
        body = Digits(magnitude, 10, false);
        if (v < 0)
            prefix = u"-";
        else if (s.plus)
            prefix = u"+";
        else if (s.space)
            prefix = u" ";
    } else if (c == u'u' || c == u'x' || c == u'X' || c == u'o') {
        const std::uint64_t v =
            s.wide_int ? static_cast<std::uint64_t>(value) : static_cast<std::uint32_t>(value);
        const unsigned base = c == u'u' ? 10 : c == u'o' ? 8 : 16;
        body = Digits(v, base, c == u'X');
        if (s.alt && v != 0 && base == 16) prefix = c == u'X' ? u"0X" : u"0x";
        if (s.alt && base == 8) body.insert(0, 1, u'0');
    } else {
        return false;
    }
    if (s.has_precision) {
        if (s.precision == 0 && body == u"0") body.clear();
        if (body.size() < s.precision) body.insert(0, s.precision - body.size(), u'0');
    }
    Pad(out, s, prefix, body);
    return true;
}

bool FormatText(std::u16string& out, const Spec& s, std::u16string_view value) {
    if (s.conversion != u's' && s.conversion != u'S') return false;
    if (s.has_precision && value.size() > s.precision) value = value.substr(0, s.precision);
    Pad(out, s, {}, value);
    return true;
}

template <typename Emit>
std::u16string Format(std::u16string_view f, Emit emit) {
    std::u16string out;
    bool used = false;
    std::size_t i = 0;
    while (i < f.size()) {
        if (f[i] != u'%') {
            out.push_back(f[i++]);
            continue;
        }
        if (i + 1 < f.size() && f[i + 1] == u'%') {
            out.push_back(u'%');
            i += 2;
            continue;
        }
        Spec s;
        if (!ParseSpec(f, i, s)) {
            out.append(f.substr(i));
            break;
        }
        if (used || !emit(out, s))
            out.append(f.substr(i, s.end - i));
        else
            used = true;
        i = s.end;
    }
    return out;
}

}  // namespace

std::u16string FormatWithNumber(std::u16string_view format, std::int64_t value) {
    return Format(format,
                  [value](std::u16string& out, const Spec& s) { return FormatInteger(out, s, value); });
}

std::u16string FormatWithString(std::u16string_view format, std::u16string_view value) {
    return Format(format, [value](std::u16string& out, const Spec& s) { return FormatText(out, s, value); });
}

}  // namespace kv::model
