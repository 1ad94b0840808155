#include "config_json/json_input.h"

#include <algorithm>

namespace kv::config_json {

std::string JsonFault::Line() const { return place.empty() ? message : place + ": " + message; }

Place Place::Member(std::string_view name) const {
    return Place(text_.empty() ? std::string(name) : text_ + "." + std::string(name));
}

Place Place::Index(size_t index) const { return Place(text_ + "[" + std::to_string(index) + "]"); }

void Place::Fail(std::string message) const { throw JsonInputError(JsonFault{text_, std::move(message)}); }

std::string Quoted(std::string_view text) {
    // Dumping a string gives its JSON form, escapes and all.
    return Json(std::string(text)).dump();
}

ObjectReader::ObjectReader(const Json& value, Place place) : value_(value), place_(std::move(place)) {
    if (!value_.is_object()) place_.Fail("must be an object");
}

void ObjectReader::AllowOnly(std::initializer_list<std::string_view> names) const {
    for (const auto& [name, member] : value_.items()) {
        if (std::find(names.begin(), names.end(), name) == names.end())
            place_.Fail("unknown member " + Quoted(name));
    }
}

const Json* ObjectReader::Find(std::string_view name) const {
    const auto it = value_.find(std::string(name));
    return it == value_.end() ? nullptr : &*it;
}

const Json& ObjectReader::Required(std::string_view name) const {
    const Json* member = Find(name);
    if (!member) place_.Fail("missing member " + Quoted(name));
    return *member;
}

uint64_t ObjectReader::Whole(std::string_view name, uint64_t min, uint64_t max, uint64_t fallback) const {
    const Json* member = Find(name);
    return member ? ReadWhole(*member, At(name), min, max) : fallback;
}

uint64_t ReadWhole(const Json& value, const Place& place, uint64_t min, uint64_t max) {
    const std::string range =
        "must be a whole number from " + std::to_string(min) + " to " + std::to_string(max);
    if (!value.is_number_unsigned()) place.Fail(value.is_number() ? range + ", not " + value.dump() : range);
    const uint64_t number = value.get<uint64_t>();
    if (number < min || number > max) place.Fail(range + ", not " + std::to_string(number));
    return number;
}

void ReadTrue(const Json& value, const Place& place) {
    if (!value.is_boolean() || !value.get<bool>())
        place.Fail("must be true (leave the member out otherwise)");
}

const std::string& ReadString(const Json& value, const Place& place) {
    if (!value.is_string()) place.Fail("must be a string");
    return value.get_ref<const std::string&>();
}

const Json::array_t& ReadArray(const Json& value, const Place& place, size_t max, std::string_view what) {
    if (!value.is_array()) place.Fail("must be an array");
    const auto& array = value.get_ref<const Json::array_t&>();
    if (array.size() > max) {
        place.Fail("at most " + std::to_string(max) + " " + std::string(what) + ", not " +
                   std::to_string(array.size()));
    }
    return array;
}

}  // namespace kv::config_json
