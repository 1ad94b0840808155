#include "sim/state_file.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#include "device/le_bytes.h"

namespace kv::sim {
namespace {

constexpr char kMagic[8] = {'K', 'V', 'S', 'I', 'M', 'M', 'E', 'M'};
constexpr uint32_t kVersion = 1;
constexpr size_t kMaxFileSize = 1 << 20;

// Refuses to read past the end of its bytes.
class Reader {
  public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    bool U32(uint32_t* out) {
        if (bytes_.size() - pos_ < 4) return false;
        *out = GetU32(bytes_, pos_);
        pos_ += 4;
        return true;
    }
    bool Take(size_t n, std::span<const uint8_t>* out) {
        if (bytes_.size() - pos_ < n) return false;
        *out = bytes_.subspan(pos_, n);
        pos_ += n;
        return true;
    }
    bool AtEnd() const { return pos_ == bytes_.size(); }

  private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

void AppendU32(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t b[4];
    PutU32(b, 0, value);
    out.insert(out.end(), b, b + 4);
}

std::optional<KeyboardMemory> Fail(std::string* error, const char* why) {
    if (error) *error = why;
    return std::nullopt;
}

}  // namespace

std::vector<uint8_t> EncodeMemoryState(const KeyboardMemory& memory) {
    std::vector<uint8_t> out(kMagic, kMagic + sizeof kMagic);
    AppendU32(out, kVersion);
    AppendU32(out, static_cast<uint32_t>(kAreaCount));
    for (Area area : kAllAreas) {
        auto bytes = memory.Bytes(area);
        AppendU32(out, static_cast<uint32_t>(area));
        AppendU32(out, static_cast<uint32_t>(bytes.size()));
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

std::optional<KeyboardMemory> DecodeMemoryState(std::span<const uint8_t> bytes, std::string* error) {
    Reader reader(bytes);
    std::span<const uint8_t> magic;
    if (!reader.Take(sizeof kMagic, &magic) || std::memcmp(magic.data(), kMagic, sizeof kMagic) != 0)
        return Fail(error, "not a simulator state file");
    uint32_t version = 0, count = 0;
    if (!reader.U32(&version) || version != kVersion) return Fail(error, "unknown state file version");
    if (!reader.U32(&count) || count != kAreaCount) return Fail(error, "wrong number of memory areas");

    std::array<std::span<const uint8_t>, kAreaCount> content;
    for (size_t i = 0; i < kAreaCount; ++i) {
        uint32_t id = 0, size = 0;
        if (!reader.U32(&id) || id != i) return Fail(error, "memory areas out of order");
        if (!reader.U32(&size) || !reader.Take(size, &content[i]))
            return Fail(error, "state file is truncated");
    }
    if (!reader.AtEnd()) return Fail(error, "trailing bytes after the last area");

    auto settings = content[static_cast<size_t>(Area::kSettings)];
    if (settings.size() != kSettingsSize) return Fail(error, "settings block has the wrong size");
    KeyboardMemory memory = KeyboardMemory::Factory(settings[kSettingsMacroUnits]);
    for (Area area : kAllAreas)
        if (!memory.Replace(area, content[static_cast<size_t>(area)]))
            return Fail(error, "a memory area has the wrong size");
    return memory;
}

bool SaveMemoryState(const KeyboardMemory& memory, const std::filesystem::path& path, std::string* error) {
    std::vector<uint8_t> bytes = EncodeMemoryState(memory);
    std::filesystem::path temp = path;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            if (error) *error = "cannot write " + temp.string();
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        if (error) *error = "cannot replace " + path.string();
        return false;
    }
    return true;
}

std::optional<KeyboardMemory> LoadMemoryState(const std::filesystem::path& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail(error, "cannot open the state file");
    std::vector<uint8_t> bytes;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
        if (bytes.size() > kMaxFileSize) return Fail(error, "state file is too large");
    }
    return DecodeMemoryState(bytes, error);
}

}  // namespace kv::sim
