#include "formhost/core/form_block.h"

#include <gtest/gtest.h>

namespace formhost {
namespace {

ControlRecord window_control(std::uint32_t id) {
    ControlRecord r;
    r.id = id;
    r.kind = 0x00010001;
    r.width = 790;
    r.height = 715;
    r.cursor = {0, 0, 0, 0};
    r.flags = kFlagVisible;
    r.bindings = {{0, 0}, {2, kNoHandler}};
    r.kind_data = {6, 0, 0, 0, 2, 0, 0, 0};
    return r;
}

FormBlock sample_block() {
    FormBlock block;
    WindowDescription start;
    start.id = 0x52010001;
    start.code_module = 0x19010000;
    start.controls.push_back(window_control(0x06010000));
    ControlRecord button;
    button.id = 0x1601000f;
    button.kind = 0x0001000B;
    button.name = "\xB0\xB4\xC5\xA5\x31";  // 按钮1
    button.comment = "c";
    button.left = -5;
    button.top = 80;
    button.width = 104;
    button.height = 32;
    button.parent = 0x16010001;
    button.children = {7, 8};
    button.cursor = {0x89, 0x7F, 0, 0};
    button.tag = "t";
    button.flags = kFlagVisible | kFlagTabStop;
    button.tab_order = 3;
    button.bindings = {{0, 1}, {-7, 2}};
    start.controls.push_back(button);
    block.windows.push_back(start);

    WindowDescription hidden;
    hidden.id = 0x52011233;
    hidden.name = "n";
    hidden.comment = "cc";
    hidden.controls.push_back(window_control(0x06011232));
    block.windows.push_back(hidden);
    return block;
}

TEST(FormBlock, RoundTripsAndRewritesByteForByte) {
    const FormBlock block = sample_block();
    const Bytes bytes = write_form_block(block);
    const auto read = read_form_block(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, block);
    EXPECT_EQ(write_form_block(*read), bytes);
}

// A one-window block laid out by hand, so that reader and writer cannot agree
// on a wrong layout between themselves.
Bytes handmade_block() {
    ByteWriter w;
    w.u32(8);           // one window
    w.u32(0x52010001);  // its id
    w.u32(0xDEADBEEF);  // template slot left over by the writing tool
    w.u32(7);           // tag
    w.u32(0x19000001);  // code module
    w.text("");         // name
    w.text("");         // comment
    w.u32(1);           // control count
    ByteWriter record;
    record.u32(0x00010020);  // kind: timer
    record.zeros(20);
    record.zstring("\xCA\xB1\xD6\xD3\x31");  // 时钟1
    record.zstring("");
    record.u32(0);
    for (std::int32_t v : {552, 0, 40, 32}) record.i32(v);
    record.u32(0);
    record.u32(0);  // parent
    record.u32(0);  // no children
    record.u32(4);  // cursor: a system cursor number
    record.u32(0x7F89);
    record.zstring("");  // tag
    record.u32(0);
    record.u32(kFlagDisabled);
    record.u32(9);  // tab order
    record.u32(1);  // one binding
    record.i32(0);
    record.u32(5);
    record.zeros(20);
    record.u32(1);  // kind data: version 1, period 200
    record.i32(200);
    const Bytes rec = record.take();
    w.u32(static_cast<std::uint32_t>(8 + 4 + rec.size()));  // control data length
    w.u32(0x16010032);                                      // control id
    w.u32(0);                                               // record offset
    w.bytes(rec);
    return w.take();
}

TEST(FormBlock, ReadsHandmadeLayoutAndIgnoresTemplateSlots) {
    const auto block = read_form_block(handmade_block());
    ASSERT_TRUE(block);
    ASSERT_EQ(block->windows.size(), 1u);
    const WindowDescription& w = block->windows[0];
    EXPECT_EQ(w.id, 0x52010001u);
    EXPECT_EQ(w.tag, 7u);
    EXPECT_EQ(w.code_module, 0x19000001u);
    ASSERT_EQ(w.controls.size(), 1u);
    const ControlRecord& c = w.controls[0];
    EXPECT_EQ(c.id, 0x16010032u);
    EXPECT_EQ(c.kind, 0x00010020u);
    EXPECT_EQ(c.name, "\xCA\xB1\xD6\xD3\x31");  // 时钟1
    EXPECT_EQ(c.left, 552);
    EXPECT_EQ(c.width, 40);
    EXPECT_EQ(c.cursor, (Bytes{0x89, 0x7F, 0, 0}));
    EXPECT_TRUE(c.disabled());
    EXPECT_FALSE(c.visible());
    EXPECT_EQ(c.tab_order, 9u);
    EXPECT_EQ(c.bindings, (std::vector<Binding>{{0, 5}}));
    EXPECT_EQ(c.kind_data, (Bytes{1, 0, 0, 0, 200, 0, 0, 0}));
}

TEST(FormBlock, EveryTruncationFails) {
    for (const Bytes& full : {write_form_block(sample_block()), handmade_block()}) {
        for (std::size_t length = 0; length < full.size(); ++length)
            EXPECT_FALSE(read_form_block(ByteView(full).first(length))) << "cut at " << length << " of " << full.size();
    }
}

TEST(FormBlock, TrailingBytesAfterTheLastWindowAreIgnored) {
    Bytes bytes = handmade_block();
    bytes.push_back(0);
    EXPECT_TRUE(read_form_block(bytes));
}

// Offsets into handmade_block().
constexpr std::size_t kControlCountAt = 28;
constexpr std::size_t kDataLengthAt = 32;
constexpr std::size_t kRecordOffsetAt = 40;
constexpr std::size_t kRecordSizeAt = 44;

void put_u32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

TEST(FormBlock, InconsistentLengthsFail) {
    struct Case {
        const char* what;
        std::size_t at;
        std::uint32_t value;
    };
    const Case cases[] = {
        {"more windows than the block holds", 0, 8 * 1000},
        {"no controls at all", kControlCountAt, 0},
        {"id table longer than the control data", kControlCountAt, 0x20000000},
        {"control data past the end", kDataLengthAt, 0x7FFFFFFF},
        {"record offset past the control data", kRecordOffsetAt, 0x1000},
        {"record size past the control data", kRecordSizeAt, 0x1000},
        {"record shorter than its fixed fields", kRecordSizeAt, 30},
    };
    for (const Case& c : cases) {
        Bytes bytes = handmade_block();
        ASSERT_EQ(bytes.size() > c.at + 4, true);
        put_u32(bytes, c.at, c.value);
        EXPECT_FALSE(read_form_block(bytes)) << c.what;
    }
}

TEST(FormBlock, ATableLengthOffEightCountsItsWholeWindows) {
    const auto expected = read_form_block(handmade_block());
    ASSERT_TRUE(expected);
    for (std::uint32_t length : {9u, 12u, 15u}) {
        Bytes bytes = handmade_block();
        put_u32(bytes, 0, length);
        const auto read = read_form_block(bytes);
        ASSERT_TRUE(read) << length;
        EXPECT_EQ(*read, *expected) << length;
    }
    Bytes none = handmade_block();
    put_u32(none, 0, 7);  // no whole window: an empty table
    const auto read = read_form_block(none);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->windows.empty());
}

TEST(ControlRecord, ForgedCountsFailWithoutReadingPastTheRecord) {
    ControlRecord r = sample_block().windows[0].controls[1];
    Bytes bytes = write_control_record(r);
    // The child count sits after kind, reserved, two strings, reserved,
    // geometry, reserved and parent.
    const std::size_t child_count_at = 4 + 20 + r.name.size() + 1 + r.comment.size() + 1 + 4 + 16 + 4 + 4;
    put_u32(bytes, child_count_at, 0xFFFFFFF0);
    EXPECT_FALSE(read_control_record(bytes));

    bytes = write_control_record(r);
    const std::size_t event_count_at = bytes.size() - 20 - 8 * r.bindings.size() - 4;
    put_u32(bytes, event_count_at, 0x7FFFFFFF);
    EXPECT_FALSE(read_control_record(bytes));
}

TEST(FormBlock, HandlerReferencesMustNameARoutine) {
    const FormBlock block = sample_block();  // binds routines 0, 1 and 2
    EXPECT_TRUE(handler_references_valid(block, 3));
    EXPECT_FALSE(handler_references_valid(block, 2));
    FormBlock unbound = block;
    for (auto& window : unbound.windows)
        for (auto& control : window.controls)
            for (auto& binding : control.bindings) binding.handler = kNoHandler;
    EXPECT_TRUE(handler_references_valid(unbound, 0));
}

}  // namespace
}  // namespace formhost

namespace formhost {
namespace {

// One window whose `count` controls all point at the same record, which
// fills the rest of the block: each control would copy nearly the whole block.
Bytes block_with_shared_record(std::uint32_t count, std::size_t record_bytes) {
    ControlRecord r = window_control(0x06010000);
    r.kind_data.assign(record_bytes, 0x5A);
    const Bytes record = write_control_record(r);
    ByteWriter w;
    w.u32(8);
    w.u32(0x52010001);
    w.u32(0);
    w.u32(0);  // tag
    w.u32(0);  // code module
    w.text("");
    w.text("");
    w.u32(count);
    w.u32(static_cast<std::uint32_t>(8ull * count + 4 + record.size()));
    for (std::uint32_t i = 0; i < count; ++i) w.u32(0x16010000 + i);
    for (std::uint32_t i = 0; i < count; ++i) w.u32(0);
    w.bytes(record);
    return w.take();
}

TEST(FormBlock, RecordsClaimingMoreBytesThanTheBlockHoldsFailAtOnce) {
    EXPECT_TRUE(read_form_block(block_with_shared_record(1, 1000))) << "one control, one record";
    EXPECT_FALSE(read_form_block(block_with_shared_record(2, 1000))) << "two controls cannot share one record";
    // 256 KiB: read record by record this copied about 900 MiB.
    const Bytes big = block_with_shared_record(4096, 220 * 1024);
    ASSERT_GT(big.size(), 250u * 1024);
    EXPECT_FALSE(read_form_block(big));
}

}  // namespace
}  // namespace formhost
