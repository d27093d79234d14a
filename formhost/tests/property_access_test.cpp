#include "formhost/core/property_access.h"

#include <gtest/gtest.h>

namespace formhost {
namespace {

TEST(PropertyAccess, WritesConvertByThePropertysType) {
    KindData window = WindowData{};
    ASSERT_TRUE(write_property_field(window, 18, Value{std::int32_t{-3}}));
    EXPECT_EQ(std::get<WindowData>(window).start_position, 0u) << "a choice below 0 becomes 0";
    ASSERT_TRUE(write_property_field(window, 10, Value{std::int32_t{-16777216}}));
    EXPECT_EQ(std::get<WindowData>(window).background_colour, 0xFF000000u) << "a colour is taken as given";
    ASSERT_TRUE(write_property_field(window, 22, Value{std::int32_t{7}}));
    EXPECT_TRUE(std::get<WindowData>(window).escape_closes);
    ASSERT_TRUE(write_property_field(window, 8, Value{}));
    EXPECT_EQ(std::get<WindowData>(window).title, "") << "an absent text is the empty text";
    ASSERT_TRUE(write_property_field(window, 13, Value{Bytes{1, 2}}));
    EXPECT_EQ(std::get<WindowData>(window).background_sound, (Bytes{1, 2}));

    KindData edit = EditBoxData{};
    ASSERT_TRUE(write_property_field(edit, 19, Value{std::string("#x")}));
    EXPECT_EQ(std::get<EditBoxData>(edit).password_character, '#') << "the first byte of the text";
    ASSERT_TRUE(write_property_field(edit, 14, Value{std::int32_t{-1}}));
    EXPECT_EQ(std::get<EditBoxData>(edit).maximum_length, -1) << "a plain integer keeps its sign";
}

TEST(PropertyAccess, ReadsGiveThePropertysValueType) {
    KindData timer = TimerData{};
    std::get<TimerData>(timer).period = 200;
    EXPECT_EQ(read_property_field(timer, 8), Value{std::int32_t{200}});
    KindData label = LabelData{};
    EXPECT_EQ(read_property_field(label, 25), Value{false});
    EXPECT_EQ(read_property_field(label, 8), Value{std::string("标签")});
    EXPECT_EQ(read_property_field(EditBoxData{}, 19), Value{std::string("*")});
    EXPECT_EQ(read_property_field(WindowData{}, 10), Value{static_cast<std::int32_t>(0xFF000000u)});
}

TEST(PropertyAccess, UnknownPropertiesAreRefused) {
    KindData timer = TimerData{};
    EXPECT_FALSE(write_property_field(timer, 9, Value{std::int32_t{1}}));
    EXPECT_FALSE(read_property_field(timer, 7));
    EXPECT_FALSE(property_field(WindowData{}, 32));
    EXPECT_EQ(property_field(LabelData{}, 26)->type, FieldType::Choice);
}

}  // namespace
}  // namespace formhost
