#include "model/keys/media.h"

#include <array>

namespace kv::model {
namespace {

constexpr std::array<MediaEntry, kMediaCount> kMedia = {{
    {0x16D, u"MEDIA_PALYER_1", 0x183},
    {0x122, u"MEDIA_PALY_PAUSE_2", 0x0CD},
    {0x124, u"MEDIA_STOP_PALY_3", 0x0B7},
    {0x110, u"MEDIA_PREV_TRACK_4", 0x0B6},
    {0x119, u"MEDIA_Next_TRACK_5", 0x0B5},
    {0x12E, u"MEDIA_V_LOW_6", 0x0EA},
    {0x130, u"MEDIA_V_ADD_7", 0x0E9},
    {0x120, u"MEDIA_MUTE_8", 0x0E2},
    {0x132, u"MEDIA_WWW_HOME_9", 0x223},
    {0x167, u"MEDIA_WWW_REFRESH_10", 0x227},
    {0x168, u"MEDIA_WWW_STOP_11", 0x226},
    {0x16A, u"MEDIA_WWW_BACK_12", 0x224},
    {0x169, u"MEDIA_WWW_FORWARD_13", 0x225},
    {0x166, u"MEDIA_WWW_FAVORITE_14", 0x22A},
    {0x165, u"MEDIA_WWW_SEARCH_15", 0x221},
    {0x16B, u"MEDIA_MY_PC_16", 0x194},
    {0x121, u"MEDIA_CALC_17", 0x192},
    {0x16C, u"MEDIA_MAIL_18", 0x18A},
}};

}  // namespace

std::span<const MediaEntry, kMediaCount> MediaList() { return kMedia; }

bool IsMediaKeyCode(KeyCode code) {
    if (code == kNoKey) return false;
    for (const MediaEntry& entry : kMedia) {
        if (entry.code == code) return true;
    }
    return false;
}

std::optional<std::uint8_t> MediaNumberOfUsage(std::uint16_t usage) {
    for (std::size_t m = 0; m < kMedia.size(); ++m) {
        if (kMedia[m].consumer_usage == usage) return static_cast<std::uint8_t>(m);
    }
    return std::nullopt;
}

}  // namespace kv::model
