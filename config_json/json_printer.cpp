#include "config_json/json_printer.h"

namespace kv::config_json {

namespace {

constexpr size_t kLineWidth = 100;

bool HoldsOnlyScalars(const Json& value) {
    for (const auto& element : value) {
        if (element.is_structured()) return false;
    }
    return true;
}

// One line for a container of scalars, and for one whose containers hold
// only scalars when it stays short ({"key": "A", "reserved": [7, 9]}).
bool IsFlat(const Json& value) {
    if (HoldsOnlyScalars(value)) return true;
    for (const auto& element : value) {
        if (element.is_structured() && !HoldsOnlyScalars(element)) return false;
    }
    return value.dump().size() <= kLineWidth;
}

// {"a": 1, "b": [2, 3]}: the library's compact form with a space after each
// separator.
void PrintInline(const Json& value, std::string& out) {
    if (!value.is_structured()) {
        out += value.dump();
        return;
    }
    const bool object = value.is_object();
    out += object ? '{' : '[';
    bool first = true;
    for (auto it = value.begin(); it != value.end(); ++it) {
        if (!first) out += ", ";
        first = false;
        if (object) {
            out += Json(it.key()).dump();
            out += ": ";
        }
        PrintInline(*it, out);
    }
    out += object ? '}' : ']';
}

void Print(const Json& value, int indent, std::string& out) {
    if (!value.is_structured() || IsFlat(value)) {
        PrintInline(value, out);
        return;
    }
    const bool object = value.is_object();
    const std::string inner(static_cast<size_t>(indent + 2), ' ');
    out += object ? '{' : '[';
    bool first = true;
    for (auto it = value.begin(); it != value.end(); ++it) {
        out += first ? "\n" : ",\n";
        first = false;
        out += inner;
        if (object) {
            out += Json(it.key()).dump();
            out += ": ";
        }
        Print(*it, indent + 2, out);
    }
    out += '\n';
    out.append(static_cast<size_t>(indent), ' ');
    out += object ? '}' : ']';
}

}  // namespace

std::string PrintJson(const Json& value) {
    std::string out;
    Print(value, 0, out);
    out += '\n';
    return out;
}

}  // namespace kv::config_json
