#include "formhost/core/character_map.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace formhost {
namespace {

class Table {
public:
    Table& u16(std::uint32_t v) {
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
        bytes.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    Table& u32(std::uint32_t v) { return u16(v >> 16).u16(v & 0xFFFF); }
    std::vector<std::uint8_t> bytes;
};

struct Segment {
    std::uint16_t start, end, delta;
    std::vector<std::uint16_t> ids;  // empty: mapped by the delta alone
};

// A format 4 subtable. Each segment with ids points into the id array that
// follows the four segment arrays.
Table format_4(const std::vector<Segment>& segments) {
    const auto count = static_cast<std::uint16_t>(segments.size());
    Table t;
    t.u16(4).u16(0).u16(0).u16(count * 2).u16(0).u16(0).u16(0);
    for (const Segment& s : segments) t.u16(s.end);
    t.u16(0);
    for (const Segment& s : segments) t.u16(s.start);
    for (const Segment& s : segments) t.u16(s.delta);
    std::size_t ids_before = 0;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (segments[i].ids.empty()) {
            t.u16(0);
        } else {
            // From this offset's place to its first id.
            t.u16(static_cast<std::uint16_t>(2 * (segments.size() - i + ids_before)));
            ids_before += segments[i].ids.size();
        }
    }
    for (const Segment& s : segments) {
        for (std::uint16_t id : s.ids) t.u16(id);
    }
    return t;
}

Table format_12(const std::vector<std::array<std::uint32_t, 3>>& groups) {
    Table t;
    t.u16(12).u16(0).u32(0).u32(0).u32(static_cast<std::uint32_t>(groups.size()));
    for (const auto& g : groups) t.u32(g[0]).u32(g[1]).u32(g[2]);
    return t;
}

// The cmap header with one encoding record per subtable, in the order given.
std::vector<std::uint8_t> cmap(const std::vector<std::pair<std::array<std::uint16_t, 2>, Table>>& subtables) {
    Table t;
    t.u16(0).u16(static_cast<std::uint16_t>(subtables.size()));
    std::uint32_t offset = 4 + 8 * static_cast<std::uint32_t>(subtables.size());
    for (const auto& [ids, table] : subtables) {
        t.u16(ids[0]).u16(ids[1]).u32(offset);
        offset += static_cast<std::uint32_t>(table.bytes.size());
    }
    for (const auto& entry : subtables)
        t.bytes.insert(t.bytes.end(), entry.second.bytes.begin(), entry.second.bytes.end());
    return t.bytes;
}

TEST(CharacterMap, ReadsTheBmpSubtableByDeltaAndById) {
    const auto map = CharacterMap::parse(cmap({{{3, 1},
                                                format_4({{0x41, 0x5A, 3, {}},              // A–Z by a delta
                                                          {0x7231, 0x7233, 0, {9, 0, 11}},  // 爱, not U+7232, U+7233
                                                          {0xFFFE, 0xFFFF, 2, {}},          // U+FFFE maps to glyph 0
                                                          {0xFFFF, 0xFFFF, 1, {}}})}}));    // the closing segment
    EXPECT_EQ(map.glyph(U'A'), 0x44);
    EXPECT_EQ(map.glyph(U'Z'), 0x5D);
    EXPECT_FALSE(map.covers(U'a'));
    EXPECT_EQ(map.glyph(U'爱'), 9);
    EXPECT_FALSE(map.covers(0x7232)) << "an id of 0 is the missing glyph";
    EXPECT_EQ(map.glyph(0x7233), 11);
    EXPECT_FALSE(map.covers(0xFFFE)) << "a delta that wraps to glyph 0";
    EXPECT_FALSE(map.covers(U'😀'));
}

TEST(CharacterMap, PrefersTheFullRepertoireSubtable) {
    const auto map = CharacterMap::parse(cmap({
        {{3, 1}, format_4({{0x41, 0x41, 1, {}}, {0xFFFF, 0xFFFF, 1, {}}})},
        {{3, 10}, format_12({{0x1F600, 0x1F64F, 100}, {0x2665, 0x2665, 7}, {0x30, 0x31, 0}})},
    }));
    EXPECT_EQ(map.glyph(U'😀'), 100);
    EXPECT_EQ(map.glyph(U'😁'), 101);
    EXPECT_EQ(map.glyph(U'♥'), 7);
    EXPECT_FALSE(map.covers(U'A')) << "the BMP subtable is not merged in";
    EXPECT_FALSE(map.covers(U'0')) << "glyph 0 starts that group";
    EXPECT_EQ(map.glyph(U'1'), 1);
}

TEST(CharacterMap, GlyphsOfADeltaSegmentWrapAroundPastGlyph0) {
    // c + 0xFFF0 wraps: 0x0E → 0xFFFE, 0x0F → 0xFFFF, 0x10 → 0 (none), 0x11 → 1.
    const auto map = CharacterMap::parse(
        cmap({{{3, 1}, format_4({{0x0E, 0x12, 0xFFF0, {}}, {0xFFFF, 0xFFFF, 1, {}}})}}));
    EXPECT_EQ(map.glyph(0x0E), 0xFFFE);
    EXPECT_EQ(map.glyph(0x0F), 0xFFFF);
    EXPECT_EQ(map.glyph(0x10), std::nullopt);
    EXPECT_EQ(map.glyph(0x11), 1);
    EXPECT_EQ(map.glyph(0x12), 2);
}

TEST(CharacterMap, AnUnreadableTableCoversNothing) {
    auto bytes = cmap({{{3, 10}, format_12({{0x20, 0x7E, 1}})}});
    EXPECT_TRUE(CharacterMap::parse(bytes).covers(U'W'));
    bytes.resize(bytes.size() - 1);
    EXPECT_TRUE(CharacterMap::parse(bytes).empty()) << "a group cut short";
    EXPECT_TRUE(CharacterMap::parse({}).empty());
    EXPECT_TRUE(CharacterMap::parse(cmap({{{1, 0}, format_12({{0x20, 0x7E, 1}})}})).empty())
        << "a Macintosh subtable is not Unicode";
    // Segments out of order are skipped, not read again and again.
    const auto overlapping = CharacterMap::parse(
        cmap({{{3, 1}, format_4({{0x100, 0x200, 1, {}}, {0x150, 0x160, 1, {}}, {0xFFFF, 0xFFFF, 1, {}}})}}));
    EXPECT_TRUE(overlapping.covers(0x150));
    EXPECT_FALSE(overlapping.covers(0x201));
}

}  // namespace
}  // namespace formhost
