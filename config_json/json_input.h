// Reading a JSON document strictly: every member must be one the format
// knows, every value has its type and range, and the first fault ends the
// reading with one line that names its place ("profiles[1].keys[7]: ...").
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>

#include "config_json/json_value.h"

namespace kv::config_json {

struct JsonFault {
    std::string place;  // empty for the document as a whole
    std::string message;

    // "place: message", or the message alone.
    std::string Line() const;
};

// Thrown inside the readers; the public entry points turn it into a JsonFault.
class JsonInputError : public std::exception {
  public:
    explicit JsonInputError(JsonFault fault) : fault_(std::move(fault)), line_(fault_.Line()) {}
    const JsonFault& Fault() const { return fault_; }
    const char* what() const noexcept override { return line_.c_str(); }

  private:
    JsonFault fault_;
    std::string line_;
};

// Where a value sits in the document.
class Place {
  public:
    Place() = default;
    Place Member(std::string_view name) const;
    Place Index(size_t index) const;
    const std::string& Text() const { return text_; }
    [[noreturn]] void Fail(std::string message) const;

  private:
    explicit Place(std::string text) : text_(std::move(text)) {}
    std::string text_;
};

// One JSON object and its members.
class ObjectReader {
  public:
    // Fails unless the value is an object.
    ObjectReader(const Json& value, Place place);

    // Fails at the first member whose name is not in the list.
    void AllowOnly(std::initializer_list<std::string_view> names) const;
    const Json* Find(std::string_view name) const;
    bool Has(std::string_view name) const { return Find(name) != nullptr; }
    // Fails when the member is missing.
    const Json& Required(std::string_view name) const;
    Place At(std::string_view name) const { return place_.Member(name); }
    const Place& Where() const { return place_; }

    // Optional members with their default.
    uint64_t Whole(std::string_view name, uint64_t min, uint64_t max, uint64_t fallback) const;

  private:
    const Json& value_;
    Place place_;
};

// A whole number from min to max (no fractions, no strings).
uint64_t ReadWhole(const Json& value, const Place& place, uint64_t min, uint64_t max);
// A member that only says yes: it must be true.
void ReadTrue(const Json& value, const Place& place);
const std::string& ReadString(const Json& value, const Place& place);
// An array of at most max elements; `what` names them in the message.
const Json::array_t& ReadArray(const Json& value, const Place& place, size_t max, std::string_view what);

// Quotes a text for a message: "F13".
std::string Quoted(std::string_view text);

}  // namespace kv::config_json
