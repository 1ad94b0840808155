#include "model/assign/key_map_image.h"

#include <gtest/gtest.h>

#include "model/assign/assignment_store.h"

namespace kv::model {
namespace {

constexpr int kPositionA = 19;                // 02 02 04
constexpr int kPositionRightCtrl = 69;        // 02 01 10
constexpr int kPositionsEqual[] = {54, 105};  // "=" sits twice in the built-in matrix

KeyMapImage With(KeyMapImage image, int position, MatrixEntry e) {
    image[3 * position] = e.type;
    image[3 * position + 1] = e.sub;
    image[3 * position + 2] = e.value;
    return image;
}

MacroList MacrosWithIds(std::initializer_list<uint16_t> ids) {
    auto records = MacroList::Allocate(ids.size());
    uint16_t i = 0;
    for (uint16_t id : ids) records[i++].id = id;
    MacroList list;
    list.Install(std::move(records), i);
    return list;
}

class KeyMapImageTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(block_); }
    void Assign(int profile, KeyCode key, KeyAssignment e) {
        WriteAssignment(*block_, profile, KeyIndexOf(key), e);
    }
    KeyMapImage Build(int profile) { return BuildKeyMapImage(*block_, profile, macros_, BuiltInKeyMatrix()); }

    AssignmentBlockPtr block_ = NewAssignmentBlock();
    MacroList macros_ = MacrosWithIds({5, 9, 7});
};

TEST_F(KeyMapImageTest, BuiltInMatrixLayout) {
    const KeyMapImage& m = BuiltInKeyMatrix();
    for (int p = 0; p < 6; ++p) EXPECT_EQ((MatrixEntry{5, 0, 0}), MatrixEntryAt(m, p));
    EXPECT_EQ((MatrixEntry{5, 2, 2}), MatrixEntryAt(m, 53));
    EXPECT_EQ((MatrixEntry{2, 2, 0x04}), MatrixEntryAt(m, kPositionA));
    EXPECT_EQ((MatrixEntry{2, 1, 0x10}), MatrixEntryAt(m, kPositionRightCtrl));
    EXPECT_EQ((MatrixEntry{2, 2, 0x31}), MatrixEntryAt(m, 107));
    for (int p : kPositionsEqual) EXPECT_EQ((MatrixEntry{2, 2, 0x2E}), MatrixEntryAt(m, p));
    for (size_t b = 3 * 108; b < kKeyMapImageSize; ++b) EXPECT_EQ(0, m[b]) << b;
    // Every non-blank position but the six leading ones and 53 names a key.
    int keys = 0;
    for (int p = 0; p < kMatrixPositions; ++p) keys += KeyCodeOfMatrixEntry(MatrixEntryAt(m, p)) != kNoKey;
    EXPECT_EQ(84, keys);
}

TEST_F(KeyMapImageTest, AllDefaultProfileGivesTheDefaultMatrix) {
    for (int p = 0; p < kProfileBlocks; ++p) EXPECT_EQ(BuiltInKeyMatrix(), Build(p));
}

TEST_F(KeyMapImageTest, EachKindWritesItsEntry) {
    const struct {
        const char* what;
        KeyAssignment entry;
        MatrixEntry expected;
    } cases[] = {
        {"media 6, volume up", {kKindMedia, 0, 6, 0, 0}, {0x03, 0xE9, 0x00}},
        {"media 0, media player", {kKindMedia, 0, 0, 0, 0}, {0x03, 0x83, 0x01}},
        {"media past the list", {kKindMedia, 0, 18, 0, 0}, {0, 0, 0}},
        {"right Ctrl", {kKindKey, 0, 0x11D, 0, 0}, {0x02, 0x01, 0x10}},
        {"wheel down", {kKindKey, 0, 0x162, 0, 0}, {0x01, 0x05, 0xFF}},
        {"A", {kKindKey, 0, 0x01E, 0, 0}, {0x02, 0x02, 0x04}},
        {"Power", {kKindKey, 0, 0x15E, 0, 0}, {0x02, 0x02, 0x00}},
        {"key code past 16 bits", {kKindKey, 0, 0x1001E, 0, 0}, {0x02, 0x02, 0x00}},
        {"third macro", {kKindMacro, 1, 7, 0, 0}, {0x05, 0x01, 0x02}},
        {"deleted macro", {kKindMacro, 1, 8, 0, 0}, {0x05, 0x01, 0x00}},
        {"macro id in the low 16 bits", {kKindMacro, 1, 0x10009, 0, 0}, {0x05, 0x01, 0x01}},
        {"stop macro", {kKindStopMacro, 0, 0, 0, 0}, {0x05, 0x02, 0x00}},
        {"function 10", {kKindFunction, 0, 10, 0, 0}, {0x05, 0x05, 0x0A}},
        {"function, low byte", {kKindFunction, 0, 0x103, 0, 0}, {0x05, 0x05, 0x03}},
        {"disabled", {kKindDisabled, 0, 0, 0, 0}, {0, 0, 0}},
        {"text block", {kKindTextBlock, 0, 40, 0, 0}, {0, 0, 0}},
        {"launch program keeps the default", {kKindLaunchProgram, 0, 40, 0, 0}, {0x02, 0x02, 0x04}},
        {"foreign kind 9", {9, 0, 0x01E, 0, 0}, {0, 0, 0}},
        {"foreign kind 0xFFFF", {0xFFFF, 0, 0x01E, 0, 0}, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        Assign(1, 0x01E, c.entry);
        EXPECT_EQ(With(BuiltInKeyMatrix(), kPositionA, c.expected), Build(1)) << c.what;
        EXPECT_EQ(BuiltInKeyMatrix(), Build(0)) << c.what;  // other profiles untouched
    }
}

TEST_F(KeyMapImageTest, KeysWithoutAKeyEntryKeepTheirDefaultsAndTheTailIsCopied) {
    for (int k = 0; k < kAssignmentsPerProfile; ++k)
        WriteAssignment(*block_, 2, k, {kKindDisabled, 0, 0, 0, 0});
    KeyMapImage matrix = BuiltInKeyMatrix();
    for (size_t b = 378; b < kKeyMapImageSize; ++b) matrix[b] = static_cast<uint8_t>(b);
    const KeyMapImage image = BuildKeyMapImage(*block_, 2, macros_, matrix);
    KeyMapImage expected = matrix;
    for (int p = 0; p < kMatrixPositions; ++p) {
        if (KeyCodeOfMatrixEntry(MatrixEntryAt(matrix, p)) != kNoKey) expected = With(expected, p, {0, 0, 0});
    }
    EXPECT_EQ(expected, image);
    for (int p = 0; p < 6; ++p) EXPECT_EQ((MatrixEntry{5, 0, 0}), MatrixEntryAt(image, p));
    EXPECT_EQ((MatrixEntry{5, 2, 2}), MatrixEntryAt(image, 53));
}

TEST_F(KeyMapImageTest, KeyNamedTwiceGetsItsAssignmentAtBothPositions) {
    Assign(0, 0x00D, {kKindStopMacro, 0, 0, 0, 0});
    KeyMapImage expected = BuiltInKeyMatrix();
    for (int p : kPositionsEqual) expected = With(expected, p, {0x05, 0x02, 0x00});
    EXPECT_EQ(expected, Build(0));
}

TEST_F(KeyMapImageTest, GKeysReachOnlyPositionsThatNameThem) {
    KeyMapImage matrix = With(BuiltInKeyMatrix(), 110, {0x06, 0xA2, 0x03});  // G3 of layer A
    WriteAssignment(*block_, 0, 258, {kKindKey, GIdOfEntry(258), 0x01E, 0, 0});
    WriteAssignment(*block_, 0, 259, {kKindKey, GIdOfEntry(259), 0x01E, 0, 0});
    EXPECT_EQ(With(matrix, 110, {0x02, 0x02, 0x04}), BuildKeyMapImage(*block_, 0, macros_, matrix));
    EXPECT_EQ(BuiltInKeyMatrix(), Build(0));
}

TEST_F(KeyMapImageTest, ProfileOutOfRangeGivesTheDefaultMatrix) {
    for (int k = 0; k < kAssignmentsPerProfile; ++k)
        WriteAssignment(*block_, 0, k, {kKindDisabled, 0, 0, 0, 0});
    EXPECT_EQ(BuiltInKeyMatrix(), Build(-1));
    EXPECT_EQ(BuiltInKeyMatrix(), Build(4));
}

TEST(KeyMapDecode, DefaultImageDecodesToDefaultsWithGIds) {
    std::array<KeyAssignment, kAssignmentsPerProfile> entries;
    entries.fill(KeyAssignment{3, 3, 3, 3, 3});
    DecodeKeyMapImage(BuiltInKeyMatrix(), BuiltInKeyMatrix(), entries);
    for (int k = 0; k < kAssignmentsPerProfile; ++k) {
        const KeyAssignment expected{0, static_cast<uint16_t>(k >= 256 && k <= 273 ? GIdOfEntry(k) : 0), 0, 0,
                                     0};
        EXPECT_EQ(expected, entries[k]) << k;
    }
}

TEST(KeyMapDecode, EntriesBecomeAssignments) {
    const struct {
        MatrixEntry entry;
        uint16_t kind;
        uint32_t value;
    } cases[] = {
        {{0x05, 0x01, 0x02}, kKindMacro, 3},     {{0x05, 0x01, 0xFF}, kKindMacro, 256},
        {{0x05, 0x02, 0x00}, kKindStopMacro, 0}, {{0x05, 0x05, 0x07}, kKindFunction, 7},
        {{0x05, 0x03, 0x00}, kKindDisabled, 0},  {{0x03, 0xE9, 0x00}, kKindMedia, 6},
        {{0x03, 0x83, 0x01}, kKindMedia, 0},     {{0x03, 0x99, 0x09}, kKindDisabled, 0},
        {{0x01, 0x01, 0x02}, kKindKey, 0x172},   {{0x01, 0x05, 0xFF}, kKindKey, 0x162},
        {{0x01, 0x07, 0x07}, kKindDisabled, 0},  {{0x02, 0x02, 0x05}, kKindKey, 0x030},
        {{0x02, 0x02, 0x00}, kKindDisabled, 0},  {{0x02, 0x02, 0xCD}, kKindKey, 0x120},
        {{0x02, 0x01, 0x22}, kKindKey, 0x02A},   {{0x02, 0x01, 0x00}, kKindDisabled, 0},
        {{0x02, 0x03, 0x01}, kKindDisabled, 0},  {{0x00, 0x00, 0x00}, kKindDisabled, 0},
        {{0x04, 0x81, 0x00}, kKindDisabled, 0},  {{0x06, 0xA2, 0x01}, kKindDisabled, 0},
    };
    for (const auto& c : cases) {
        std::array<KeyAssignment, kAssignmentsPerProfile> entries{};
        DecodeKeyMapImage(With(BuiltInKeyMatrix(), kPositionA, c.entry), BuiltInKeyMatrix(), entries);
        const KeyAssignment expected{c.kind, 0, c.value, 0, 0};
        EXPECT_EQ(expected, entries[0x1E])
            << std::hex << int(c.entry.type) << " " << int(c.entry.sub) << " " << int(c.entry.value);
        int changed = 0;
        for (int k = 0; k < kAssignmentsPerProfile; ++k) changed += entries[k].kind != kKindDefault;
        EXPECT_EQ(1, changed);
    }
}

TEST(KeyMapDecode, GKeyEntriesKeepTheirGIdWhenAssigned) {
    const KeyMapImage matrix = With(BuiltInKeyMatrix(), 110, {0x06, 0xA2, 0x0A});  // G1 of layer B
    std::array<KeyAssignment, kAssignmentsPerProfile> entries{};
    DecodeKeyMapImage(With(matrix, 110, {0x05, 0x02, 0x00}), matrix, entries);
    EXPECT_EQ((KeyAssignment{kKindStopMacro, 0x1301, 0, 0, 0}), entries[265]);
}

TEST(KeyMapDecode, BuildThenDecodeGivesTheAssignmentsBack) {
    AssignmentBlockPtr block = NewAssignmentBlock();
    ASSERT_TRUE(block);
    const MacroList macros = MacrosWithIds({1, 2, 3});  // ids follow positions, as after a read
    const struct {
        KeyCode key;
        KeyAssignment entry;
    } cases[] = {
        {0x01E, {kKindKey, 0, 0x030, 0, 0}},   {0x11D, {kKindKey, 0, 0x172, 0, 0}},
        {0x02A, {kKindKey, 0, 0x138, 0, 0}},   {0x03B, {kKindMacro, 0, 3, 0, 0}},
        {0x039, {kKindStopMacro, 0, 0, 0, 0}}, {0x001, {kKindMedia, 0, 17, 0, 0}},
        {0x14B, {kKindFunction, 0, 4, 0, 0}},  {0x15D, {kKindDisabled, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) WriteAssignment(*block, 1, KeyIndexOf(c.key), c.entry);
    const KeyMapImage image = BuildKeyMapImage(*block, 1, macros, BuiltInKeyMatrix());
    std::array<KeyAssignment, kAssignmentsPerProfile> decoded{};
    DecodeKeyMapImage(image, BuiltInKeyMatrix(), decoded);
    for (const auto& c : cases) EXPECT_EQ(c.entry, decoded[KeyIndexOf(c.key)]) << std::hex << c.key;
}

}  // namespace
}  // namespace kv::model
