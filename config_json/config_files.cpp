#include "config_json/config_files.h"

#include <cstdio>
#include <memory>
#include <system_error>

#include "model/config_sets.h"
#include "profiles/profile_format.h"
#include "profiles/profile_reader.h"

namespace kv::config_json {

namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool LooksLikeJson(std::string_view bytes) {
    const size_t first = bytes.find_first_not_of(" \t\r\n");
    // A UTF-8 byte-order mark is not JSON, but some editors write one.
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return LooksLikeJson(bytes.substr(3));
    return first != std::string_view::npos && bytes[first] == '{';
}

LoadedConfig Invalid(std::string error) {
    LoadedConfig loaded;
    loaded.failure = LoadFailure::kInvalid;
    loaded.error = std::move(error);
    return loaded;
}

}  // namespace

std::optional<ConfigFileKind> KindOfPath(const fs::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (extension == ".json") return ConfigFileKind::kJson;
    if (extension == ".kvp") return ConfigFileKind::kProfile;
    return std::nullopt;
}

std::string ProfileStatusText(profiles::ProfileStatus status) {
    using profiles::ProfileStatus;
    switch (status) {
        case ProfileStatus::kValid:
            return "valid";
        case ProfileStatus::kMissing:
            return "the file does not exist";
        case ProfileStatus::kCannotOpen:
            return "the file cannot be opened";
        case ProfileStatus::kOutOfMemory:
            return "out of memory";
        case ProfileStatus::kTooSmall:
            return "too small for a profile file";
        case ProfileStatus::kTooLarge:
            return "too large for a profile file";
        case ProfileStatus::kBadMagic:
            return "not a profile file (wrong magic number)";
        case ProfileStatus::kBadHeaderSize:
            return "wrong header size";
        case ProfileStatus::kBadVersion:
            return "unknown profile file version";
        case ProfileStatus::kTotalTooSmall:
            return "the header's total size is too small";
        case ProfileStatus::kBadEntryCount:
            return "wrong number of assignment entries";
        case ProfileStatus::kTooManyMacros:
            return "more than 100 macros";
        case ProfileStatus::kBadFlag:
            return "bad header flag";
        case ProfileStatus::kSizeMismatch:
            return "the header's sizes do not add up";
        case ProfileStatus::kBadChecksum:
            return "bad header checksum";
        case ProfileStatus::kTruncated:
            return "the file is shorter than its header says";
        case ProfileStatus::kBadContents:
            return "a count, offset or text runs outside the file";
    }
    return "not a profile file";
}

LoadedConfig ConfigFromBytes(std::string_view bytes, std::optional<ConfigFileKind> kind) {
    if (kind ? *kind == ConfigFileKind::kJson : LooksLikeJson(bytes)) {
        JsonReadResult read = ReadConfigJson(bytes);
        if (!read.document) return Invalid(read.fault.Line());
        LoadedConfig loaded;
        loaded.document = std::move(read.document);
        return loaded;
    }
    const std::span<const uint8_t> file(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    profiles::ProfileStatus status = profiles::CheckProfileHeader(file);
    model::ConfigSet set;
    if (status == profiles::ProfileStatus::kValid) status = profiles::ParseProfile(file, set);
    if (status != profiles::ProfileStatus::kValid) return Invalid(ProfileStatusText(status));
    LoadedConfig loaded;
    loaded.document.emplace();
    loaded.document->profile_file.assign(file.begin(), file.end());
    return loaded;
}

LoadedConfig LoadConfigFile(const fs::path& path) {
    LoadedConfig loaded;
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        loaded.failure = LoadFailure::kMissing;
        loaded.error = "the file does not exist";
        return loaded;
    }
    const uintmax_t size = fs::file_size(path, error);
    std::unique_ptr<std::FILE, FileCloser> file(profiles::OpenFile(path, "rb"));
    if (error || !file) {
        loaded.failure = LoadFailure::kUnreadable;
        loaded.error = "the file cannot be opened";
        return loaded;
    }
    if (size > profiles::kMaxFileSize) return Invalid("the file is larger than any configuration");
    std::string bytes;
    try {
        bytes.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return Invalid("out of memory");
    }
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        loaded.failure = LoadFailure::kUnreadable;
        loaded.error = "the file cannot be read";
        return loaded;
    }
    return ConfigFromBytes(bytes, KindOfPath(path));
}

bool SaveConfigFile(const fs::path& path, const ConfigDocument& document, ConfigFileKind kind,
                    std::string* error, const profiles::WriteHook& hook) {
    std::span<const uint8_t> bytes = document.profile_file;
    std::optional<std::string> text;
    if (kind == ConfigFileKind::kJson) {
        text = WriteConfigJson(document, error);
        if (!text) return false;
        bytes = std::span(reinterpret_cast<const uint8_t*>(text->data()), text->size());
    }
    profiles::AtomicFile file(path, hook);
    if (file.Open() && file.Write(bytes) && file.Commit()) return true;
    if (error) *error = "the file cannot be written";
    return false;
}

}  // namespace kv::config_json
