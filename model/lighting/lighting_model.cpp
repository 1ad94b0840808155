#include "model/lighting/lighting_model.h"

#include <algorithm>

namespace kv::model {

namespace {
// Profile records and key-light pages are addressed with the current profile;
// it is kept in range so every offset below stays inside the mirror.
size_t ProfileIndex(int profile) {
    return static_cast<size_t>(std::clamp(profile, 0, device::kProfileCount - 1));
}
}  // namespace

LightingModel::LightingModel(device::Commands& commands, PanelSwitchStore& panel_switch)
    : commands_(commands), panel_switch_(panel_switch) {
    current_profile_ = commands_.ShownProfile();
    if (current_profile_ < 0 || current_profile_ >= device::kProfileCount) SetCurrentProfile(0);
}

void LightingModel::SetCurrentProfile(int profile) {
    if (profile < 0 || profile >= device::kProfileCount) return;
    current_profile_ = profile;
    // WriteKeyColours addresses the page of the profile the window shows.
    commands_.SetShownProfile(profile);
}

int LightingModel::ReadLighting() { return ReadSettingsAndRecords(true); }

int LightingModel::ReadLightingRecords() { return ReadSettingsAndRecords(false); }

int LightingModel::ReadSettingsAndRecords(bool with_key_page) {
    std::fill_n(settings_.begin() + kModeListOffset, kModeSlotCount, uint8_t{0});
    modes_.fill(0);

    std::array<uint8_t, device::kSettingsBlockSize> block{};
    if (commands_.ReadSettingsBlock(block) != device::kOk) return -1;
    settings_ = block;
    modes_ = ModeListOf(settings_);

    commands_.BeginConfig();
    if (with_key_page && HasPerKeyMode()) ReadKeyLightPage();
    ReadRecords();
    commands_.EndConfig();

    DecodeLightingRecord(LightingRecordFrom(Record(current_profile_)), state_);
    panel_on_ = panel_switch_.ReadPanelSwitch();
    return 0;
}

void LightingModel::ReadKeyLightPage() {
    // Bytes 216..255 are not read and keep their contents; a failed chunk
    // keeps what the mirror held before.
    auto page = Page(current_profile_);
    for (size_t i = 0; i < kKeyPageReadChunks; ++i) {
        const auto offset = static_cast<uint16_t>(i * kKeyPageReadChunk);
        std::array<uint8_t, device::kReportData> reply{};
        if (commands_.ReadKeyColours(reply, kKeyPageReadChunk, offset, current_profile_) != device::kOk)
            continue;
        std::copy_n(reply.begin(), kKeyPageReadChunk, page.begin() + offset);
    }
}

void LightingModel::ReadRecords() {
    for (int p = 0; p < device::kProfileCount; ++p) {
        const size_t offset = static_cast<size_t>(p) * kLightingRecordSize;
        std::array<uint8_t, device::kReportData> reply{};
        if (commands_.ReadProfileSettings(reply, static_cast<uint8_t>(device::kReportData),
                                          static_cast<uint16_t>(offset)) != device::kOk) {
            continue;  // keep the previous record
        }
        std::copy_n(reply.begin(), kLightingRecordSize, records_.begin() + offset);
    }
}

int LightingModel::WriteLightingBytes(uint8_t record_offset, std::span<const uint8_t> bytes) {
    return WriteLightingBytes(record_offset, bytes, 0, {});
}

int LightingModel::WriteLightingBytes(uint8_t first_offset, std::span<const uint8_t> first,
                                      uint8_t second_offset, std::span<const uint8_t> second) {
    const size_t base = ProfileIndex(current_profile_) * kLightingRecordSize;
    int result = device::kOk;
    commands_.BeginConfig();
    for (auto [offset, bytes] : {std::pair{first_offset, first}, std::pair{second_offset, second}}) {
        if (bytes.empty()) continue;
        // A field never runs past its record into the next profile's.
        if (offset >= kLightingRecordSize) continue;
        bytes = bytes.first(std::min(bytes.size(), kLightingRecordSize - offset));
        const int written = commands_.WriteProfileSettings(bytes, static_cast<uint16_t>(base + offset));
        if (result == device::kOk) result = written;
    }
    commands_.EndConfig();
    return result;
}

int LightingModel::WriteUserMaps(std::span<const uint8_t, kUserMapsBytes> maps) {
    std::copy(maps.begin(), maps.end(), Page(current_profile_).begin());
    return SendUserMaps(maps);
}

int LightingModel::SendUserMaps(std::span<const uint8_t, kUserMapsBytes> maps) {
    int result = device::kOk;
    commands_.BeginConfig();
    for (size_t at = 0; at < maps.size(); at += kDefaultMapsWriteChunk) {
        const size_t n = std::min(kDefaultMapsWriteChunk, maps.size() - at);
        const int written = commands_.WriteKeyColours(maps.subspan(at, n), static_cast<uint16_t>(at));
        if (result == device::kOk) result = written;
    }
    commands_.EndConfig();
    return result;
}

bool LightingModel::ToggleKeyLight(int matrix_index, bool marked) {
    if (matrix_index < 0 || matrix_index >= kMatrixIndexCount) return false;
    const auto byte_index = static_cast<size_t>(matrix_index / 8);
    std::array<uint8_t, kUserKeyMapSize> map{};
    auto current = CurrentUserMapBytes();
    std::copy(current.begin(), current.end(), map.begin());
    SetKeyMarked(map, matrix_index, marked);
    const uint8_t byte = map[byte_index];

    commands_.BeginConfig();
    commands_.WriteKeyColours(std::span(&byte, 1), static_cast<uint16_t>(UserMapOffset() + byte_index));
    commands_.EndConfig();
    current[byte_index] = byte;
    return true;
}

void LightingModel::ClearKeyMap() {
    auto map = CurrentUserMapBytes();
    std::fill(map.begin(), map.end(), uint8_t{0x00});
    const std::array<uint8_t, kUserKeyMapSize> zeros{};
    commands_.BeginConfig();
    commands_.BeginConfig();  // the keyboard has always been sent two here
    commands_.WriteKeyColours(zeros, UserMapOffset());
    commands_.EndConfig();
}

void LightingModel::FillKeyMap() {
    auto map = CurrentUserMapBytes();
    std::fill(map.begin(), map.end(), uint8_t{0xFF});
    std::array<uint8_t, kUserKeyMapSize> ones{};
    ones.fill(0xFF);
    commands_.BeginConfig();
    commands_.WriteKeyColours(ones, UserMapOffset());
    commands_.EndConfig();
}

void LightingModel::RestoreLightingDefaults() {
    if (HasPerKeyMode()) {
        state_.user_map = 0;
        auto page = Page(current_profile_);
        std::copy(kDefaultKeyLightPage.begin(), kDefaultKeyLightPage.end(), page.begin());
        SendUserMaps(std::span<const uint8_t, kUserMapsBytes>(kDefaultKeyLightPage.data(), kUserMapsBytes));
    }
    commands_.BeginConfig();
    commands_.WriteProfileSettings(
        kDefaultLightingRecord, static_cast<uint16_t>(ProfileIndex(current_profile_) * kLightingRecordSize));
    commands_.EndConfig();
}

void LightingModel::SetPanelOn(bool on) {
    panel_on_ = on;
    panel_switch_.WritePanelSwitch(on);
}

std::span<const uint8_t, kLightingRecordSize> LightingModel::Record(int profile) const {
    return std::span<const uint8_t, kLightingRecordSize>(
        records_.data() + ProfileIndex(profile) * kLightingRecordSize, kLightingRecordSize);
}

std::span<const uint8_t, kKeyLightPageSize> LightingModel::KeyLightPage(int profile) const {
    return std::span<const uint8_t, kKeyLightPageSize>(
        pages_.data() + ProfileIndex(profile) * kKeyLightPageSize, kKeyLightPageSize);
}

std::span<uint8_t, kKeyLightPageSize> LightingModel::Page(int profile) {
    return std::span<uint8_t, kKeyLightPageSize>(pages_.data() + ProfileIndex(profile) * kKeyLightPageSize,
                                                 kKeyLightPageSize);
}

uint16_t LightingModel::UserMapOffset() const {
    // Same rule as decoding: an index past the ten maps stands for map 0.
    const int map =
        state_.user_map >= 0 && state_.user_map < static_cast<int>(kUserMapCount) ? state_.user_map : 0;
    return static_cast<uint16_t>(static_cast<size_t>(map) * kUserKeyMapSize);
}

std::span<uint8_t, kUserKeyMapSize> LightingModel::CurrentUserMapBytes() {
    return Page(current_profile_).subspan(UserMapOffset()).first<kUserKeyMapSize>();
}

std::span<const uint8_t, kUserKeyMapSize> LightingModel::CurrentUserMap() const {
    return KeyLightPage(current_profile_).subspan(UserMapOffset()).first<kUserKeyMapSize>();
}

bool LightingModel::IsKeyMarked(int matrix_index) const {
    return model::IsKeyMarked(CurrentUserMap(), matrix_index);
}

}  // namespace kv::model
