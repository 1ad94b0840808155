#include "config_json/config_json.h"

#include <new>
#include <set>

#include "config_json/json_printer.h"
#include "config_json/lighting_json.h"
#include "config_json/profile_json.h"

namespace kv::config_json {

namespace {

// The library keeps the last of two members with one name; a file that says
// two things must not have one of them dropped without a word.
class DuplicateFinder {
  public:
    bool operator()(int /*depth*/, Json::parse_event_t event, Json& parsed) {
        using Event = Json::parse_event_t;
        if (Found()) return true;
        switch (event) {
            case Event::object_start:
            case Event::array_start:
                Element();
                frames_.emplace_back();
                frames_.back().array = event == Event::array_start;
                break;
            case Event::object_end:
            case Event::array_end:
                frames_.pop_back();
                break;
            case Event::key: {
                Frame& frame = frames_.back();
                frame.key = parsed.get<std::string>();
                if (!frame.keys.insert(frame.key).second)
                    fault_ = {PlaceText(false), "duplicate member " + Quoted(frame.key)};
                break;
            }
            case Event::value:
                Element();
                break;
        }
        return true;
    }

    const JsonFault& Fault() const { return fault_; }
    bool Found() const { return !fault_.message.empty(); }

  private:
    struct Frame {
        bool array = false;
        long index = -1;
        std::string key;
        std::set<std::string> keys;
    };

    // A new value in the innermost container.
    void Element() {
        if (frames_.empty()) return;
        Frame& frame = frames_.back();
        if (frame.array) ++frame.index;
    }

    std::string PlaceText(bool with_last_key) const {
        Place place;
        for (size_t i = 0; i < frames_.size(); ++i) {
            const Frame& f = frames_[i];
            const bool last = i + 1 == frames_.size();
            if (last && !with_last_key) break;
            if (f.array)
                place = place.Index(static_cast<size_t>(f.index));
            else
                place = place.Member(f.key);
        }
        return place.Text();
    }

    std::vector<Frame> frames_;
    JsonFault fault_;
};

JsonFault SyntaxFault(std::string_view what) {
    // "[json.exception.parse_error.101] parse error at line 3, column 5: ..." -> "line 3, column 5: ..."
    std::string message(what);
    const std::string_view marker = "parse error at ";
    if (const size_t at = message.find(marker); at != std::string::npos)
        message = message.substr(at + marker.size());
    return JsonFault{"", message};
}

}  // namespace

JsonReadResult ReadConfigJson(std::string_view text) {
    JsonReadResult result;
    if (text.size() > kMaxJsonBytes) {
        result.fault = {"", "the file is larger than " + std::to_string(kMaxJsonBytes >> 20) + " MiB"};
        return result;
    }
    try {
        DuplicateFinder duplicates;
        Json root;
        try {
            root = Json::parse(text.begin(), text.end(), std::ref(duplicates));
        } catch (const Json::parse_error& e) {
            result.fault = SyntaxFault(e.what());
            return result;
        }
        if (duplicates.Found()) {
            result.fault = duplicates.Fault();
            return result;
        }
        if (!root.is_object()) Place().Fail("the document must be a JSON object");
        const ObjectReader document(root, Place());
        const std::string& format = ReadString(document.Required("format"), document.At("format"));
        if (format != kFormatName) document.At("format").Fail("must be " + Quoted(kFormatName));
        const Json& version = document.Required("version");
        if (!version.is_number_unsigned() || version.get<uint64_t>() != kFormatVersion) {
            document.At("version").Fail("unsupported format version " + version.dump() +
                                        " (this program reads version " + std::to_string(kFormatVersion) +
                                        ")");
        }
        document.AllowOnly({"format", "version", "profiles", "macros", "raw", "keyboard"});
        ConfigDocument out;
        out.profile_file = ProfileFileFromJson(document);
        if (const Json* keyboard = document.Find("keyboard"))
            out.keyboard = LightingSnapshotFromJson(*keyboard, document.At("keyboard"));
        result.document = std::move(out);
    } catch (const JsonInputError& e) {
        result.fault = e.Fault();
    } catch (const std::bad_alloc&) {
        result.fault = {"", "out of memory"};
    } catch (const std::exception& e) {
        result.fault = {"", e.what()};
    }
    return result;
}

std::optional<std::string> WriteConfigJson(const ConfigDocument& document, std::string* error) {
    try {
        Json root = Json::object();
        root["format"] = kFormatName;
        root["version"] = kFormatVersion;
        if (!ProfileFileToJson(document.profile_file, root, error)) return std::nullopt;
        if (document.keyboard) root["keyboard"] = LightingSnapshotToJson(*document.keyboard);
        return PrintJson(root);
    } catch (const std::bad_alloc&) {
        if (error) *error = "out of memory";
    } catch (const std::exception& e) {
        if (error) *error = e.what();
    }
    return std::nullopt;
}

}  // namespace kv::config_json
