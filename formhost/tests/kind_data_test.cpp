#include "formhost/core/kind_data.h"

#include <gtest/gtest.h>

namespace formhost {
namespace {

// Every field of every kind set away from its default, so that a field that
// the writer or the reader skips or swaps shows up in the round trip.
std::vector<KindData> non_default_data() {
    WindowData w;
    w.border_style = 0;
    w.background_picture_mode = 3;
    w.background_colour = 0xFFFFFF;
    w.maximise_button = w.minimise_button = true;
    w.control_buttons = false;
    w.start_position = 3;
    w.movable = false;
    w.sound_play_mode = 2;
    w.enter_moves_focus = true;
    w.escape_closes = false;
    w.f1_opens_help = true;
    w.help_id = -9;
    w.shown_in_task_bar = false;
    w.stored_flag_27 = true;
    w.shape = 29;
    w.always_on_top = true;
    w.stored_flag_30 = true;
    w.window_class_name = "cls";
    w.background_picture = {1, 2, 3};
    w.icon = {4};
    w.background_sound = {5, 6};
    w.title = "\xD0\xDE\xB8\xC4";
    w.help_file_name = "h.hlp";

    EditBoxData e;
    e.border_style = 5;
    e.text_colour = 0xFF0000;
    e.background_colour = 0x123456;
    e.hide_selection = false;
    e.maximum_length = 77;
    e.multi_line = true;
    e.scroll_bars = 3;
    e.alignment = 2;
    e.input_mode = 2;
    e.password_character = '#';
    e.stored_20 = 20;
    e.stored_21 = 21;
    e.stored_22 = -22;
    e.stored_23 = 23;
    e.stored_24 = 24;
    e.stored_25 = 25;
    e.font = Bytes(60, 7);
    e.content = "x";
    e.stored_text_27 = "p27";
    e.stored_text_28 = "p28";

    LabelData l;
    l.text_effect = 4;
    l.gradient_border_width = 2;
    l.border_style = 1;
    l.gradient_border_colour_1 = 1;
    l.gradient_border_colour_2 = 2;
    l.gradient_border_colour_3 = 3;
    l.text_colour = 0x008080;
    l.background_colour = 0x800000;
    l.picture_mode = 0;
    l.gradient_background_mode = 1;
    l.gradient_background_colour_1 = 4;
    l.gradient_background_colour_2 = 5;
    l.gradient_background_colour_3 = 6;
    l.horizontal_alignment = 2;
    l.vertical_alignment = 0;
    l.word_wrap = true;
    l.font = Bytes(60, 1);
    l.picture = {9};
    l.caption = "cap";
    l.stored_text_27 = "a";
    l.stored_text_28 = "b";

    ButtonData b;
    b.button_type = 1;
    b.horizontal_alignment = 0;
    b.vertical_alignment = 2;
    b.picture = {1};
    b.font = Bytes(60, 2);
    b.caption = "\xD0\xDE\xB8\xC4";

    PictureBoxData p;
    p.border_style = 4;
    p.background_colour = 0;
    p.display_mode = 2;
    p.play_animation = false;
    p.picture = {'G', 'I', 'F'};
    p.stored_text_13 = "13";
    p.stored_text_14 = "14";

    CanvasData d;
    d.border_style = 3;
    d.background_colour = 0xFFFFFF;
    d.background_picture_mode = 2;
    d.auto_redraw = true;
    d.drawing_unit = 1;
    d.pen_type = 2;
    d.draw_mode = 5;
    d.pen_width = 3;
    d.pen_colour = 0x10;
    d.brush_type = 0;
    d.brush_colour = 0x0000FF;
    d.text_colour = 0xFF00FF;
    d.text_background_colour = 0x20;
    d.font = Bytes(60, 3);
    d.background_picture = {8, 8};

    TimerData t;
    t.period = 200;

    return {w, e, l, b, p, d, t};
}

TEST(KindData, EveryKindRoundTripsAtItsHighestVersion) {
    for (const KindData& data : non_default_data()) {
        const Kind kind = kind_of(data);
        SCOPED_TRACE(kind_name(kind));
        const Bytes bytes = write_kind_data(data);
        const auto read = read_kind_data(static_cast<std::uint32_t>(kind), bytes);
        ASSERT_TRUE(read);
        EXPECT_EQ(*read, data);
        EXPECT_EQ(write_kind_data(*read), bytes);
        EXPECT_NE(*read, default_kind_data(static_cast<std::uint32_t>(kind)));
    }
}

TEST(KindData, EveryTruncationFailsButEmptyDataGivesTheDefaults) {
    for (const KindData& data : non_default_data()) {
        const auto code = static_cast<std::uint32_t>(kind_of(data));
        SCOPED_TRACE(kind_name(kind_of(data)));
        const Bytes bytes = write_kind_data(data);
        EXPECT_EQ(read_kind_data(code, {}), default_kind_data(code));
        for (std::size_t length = 1; length < bytes.size(); ++length)
            EXPECT_FALSE(read_kind_data(code, ByteView(bytes).first(length))) << "cut at " << length;
    }
}

TEST(KindData, VersionAboveTheHighestFails) {
    for (const KindData& data : non_default_data()) {
        const auto code = static_cast<std::uint32_t>(kind_of(data));
        Bytes bytes = write_kind_data(data);
        bytes[0] = static_cast<std::uint8_t>(bytes[0] + 1);
        EXPECT_FALSE(read_kind_data(code, bytes)) << kind_name(kind_of(data));
    }
}

TEST(KindData, DefaultsAreTheWhenAbsentValues) {
    const auto label = std::get<LabelData>(*read_kind_data(0x0001000A, {}));
    EXPECT_EQ(label.caption, "\xB1\xEA\xC7\xA9");  // 标签
    EXPECT_EQ(label.vertical_alignment, 1u);
    EXPECT_EQ(label.gradient_border_width, 8);
    const auto button = std::get<ButtonData>(*read_kind_data(0x0001000B, {}));
    EXPECT_EQ(button.caption, "\xB0\xB4\xC5\xA5");  // 按钮
    EXPECT_EQ(button.horizontal_alignment, 1u);
    EXPECT_EQ(std::get<TimerData>(*read_kind_data(0x00010020, {})).period, 0);
    const auto window = std::get<WindowData>(*read_kind_data(0x00010001, {}));
    EXPECT_EQ(window.border_style, 2u);
    EXPECT_EQ(window.start_position, 1u);
    EXPECT_TRUE(window.escape_closes);
    EXPECT_TRUE(window.shown_in_task_bar);
    const auto edit = std::get<EditBoxData>(*read_kind_data(0x00010005, {}));
    EXPECT_EQ(edit.password_character, '*');
    EXPECT_EQ(edit.stored_23, 100);
    EXPECT_EQ(edit.background_colour, 0xFFFFFFu);
    EXPECT_TRUE(std::get<PictureBoxData>(*read_kind_data(0x00010006, {})).play_animation);
    EXPECT_EQ(std::get<CanvasData>(*read_kind_data(0x00010008, {})).draw_mode, 12u);
}

TEST(KindData, UnknownKindHasNoData) {
    EXPECT_FALSE(default_kind_data(0x00010002));
    EXPECT_FALSE(read_kind_data(0x00020001, {}));
}

// Window data of version 1 ends after the help id, then the byte sets and
// texts follow; the fields of versions 2 to 6 keep their defaults.
Bytes window_data_of_version(std::uint32_t version) {
    ByteWriter w;
    w.u32(version);
    for (std::uint32_t v : {0u, 3u, 0xFFFFFFu, 0u, 0u, 1u, 0u, 1u, 1u, 0u, 1u, 0u}) w.u32(v);
    w.i32(0);     // help id
    w.bytes({});  // background picture
    w.bytes({});  // icon
    w.bytes({});  // sound
    w.text("t");
    w.text("");
    return w.take();
}

TEST(KindData, OldVersionsLeaveLaterFieldsAtTheirDefaults) {
    for (std::uint32_t version : {0u, 1u}) {
        const auto data = read_kind_data(0x00010001, window_data_of_version(version));
        ASSERT_TRUE(data) << "version " << version;
        const auto& w = std::get<WindowData>(*data);
        EXPECT_EQ(w.border_style, 0u);
        EXPECT_EQ(w.background_picture_mode, 3u);
        EXPECT_EQ(w.background_colour, 0xFFFFFFu);
        EXPECT_EQ(w.title, "t");
        EXPECT_TRUE(w.shown_in_task_bar);
        EXPECT_EQ(w.shape, 0u);
        EXPECT_TRUE(w.window_class_name.empty());
    }
    // Claiming version 2, the same bytes are one field short.
    EXPECT_FALSE(read_kind_data(0x00010001, window_data_of_version(2)));
}

TEST(KindData, PasswordCharacterIsSixteenBitsAndMisalignsWhatFollows) {
    EditBoxData e;
    e.password_character = 0x2022;
    e.stored_20 = 0xA1B2C3D4;
    const Bytes bytes = write_kind_data(e);
    // version, border, text colour, background, hide selection, max length,
    // multi-line, scroll bars, alignment, input mode: ten u32 values.
    constexpr std::size_t at = 40;
    EXPECT_EQ(bytes[at], 0x22);
    EXPECT_EQ(bytes[at + 1], 0x20);
    EXPECT_EQ(bytes[at + 2], 0xD4) << "property 20 starts right after the 16-bit field";
    EXPECT_EQ(bytes[at + 5], 0xA1);
}

// Bytes written out by hand in the order of the kinds' stored tables, each
// field with a value of its own: a field order wrong in the one list that
// both the reader and the writer walk passes every round trip, not this.
class HandWritten {
public:
    HandWritten& u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    HandWritten& u16(std::uint16_t v) {
        bytes.push_back(static_cast<std::uint8_t>(v));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
        return *this;
    }
    HandWritten& text(std::string_view t) {
        u32(static_cast<std::uint32_t>(t.size()));
        bytes.insert(bytes.end(), t.begin(), t.end());
        return *this;
    }
    Bytes bytes;
};

template <class Data> Data read_as(Kind kind, const HandWritten& h) {
    const auto data = read_kind_data(static_cast<std::uint32_t>(kind), h.bytes);
    EXPECT_TRUE(data) << kind_name(kind);
    return data ? std::get<Data>(*data) : Data{};
}

TEST(KindData, EachKindReadsItsFieldsInTheStoredOrder) {
    // Window, version 6: border style, picture mode, background colour, maximise,
    // minimise, control buttons, start position, movable, play mode, flags 21-23,
    // help id, task bar, flag 27, shape, on top, flag 30, class, picture, icon,
    // sound, title, help file.
    HandWritten w;
    w.u32(6).u32(5).u32(3).u32(0x112233).u32(1).u32(0).u32(0).u32(2).u32(0).u32(1).u32(1).u32(0).u32(1);
    w.u32(0xFFFFFFF7).u32(0).u32(1).u32(17).u32(1).u32(0).text("cls").text("P").text("I").text("S").text("t").text("h");
    const auto window = read_as<WindowData>(Kind::Window, w);
    EXPECT_EQ(window.border_style, 5u);
    EXPECT_EQ(window.background_picture_mode, 3u);
    EXPECT_EQ(window.background_colour, 0x112233u);
    EXPECT_TRUE(window.maximise_button);
    EXPECT_FALSE(window.minimise_button);
    EXPECT_FALSE(window.control_buttons);
    EXPECT_EQ(window.start_position, 2u);
    EXPECT_FALSE(window.movable);
    EXPECT_EQ(window.sound_play_mode, 1u);
    EXPECT_TRUE(window.enter_moves_focus);
    EXPECT_FALSE(window.escape_closes);
    EXPECT_TRUE(window.f1_opens_help);
    EXPECT_EQ(window.help_id, -9);
    EXPECT_FALSE(window.shown_in_task_bar);
    EXPECT_TRUE(window.stored_flag_27);
    EXPECT_EQ(window.shape, 17u);
    EXPECT_TRUE(window.always_on_top);
    EXPECT_FALSE(window.stored_flag_30);
    EXPECT_EQ(window.window_class_name, "cls");
    EXPECT_EQ(window.background_picture, Bytes{'P'});
    EXPECT_EQ(window.icon, Bytes{'I'});
    EXPECT_EQ(window.background_sound, Bytes{'S'});
    EXPECT_EQ(window.title, "t");
    EXPECT_EQ(window.help_file_name, "h");

    // Edit box, version 2: the password character is the one 16-bit field.
    HandWritten e;
    e.u32(2).u32(4).u32(0x0000FF).u32(0x00FF00).u32(0).u32(99).u32(1).u32(3).u32(2).u32(1).u16('#');
    e.u32(20).u32(21).u32(22).u32(23).u32(24).u32(25).text("F").text("c").text("27").text("28");
    const auto edit = read_as<EditBoxData>(Kind::EditBox, e);
    EXPECT_EQ(edit.border_style, 4u);
    EXPECT_EQ(edit.text_colour, 0x0000FFu);
    EXPECT_EQ(edit.background_colour, 0x00FF00u);
    EXPECT_FALSE(edit.hide_selection);
    EXPECT_EQ(edit.maximum_length, 99);
    EXPECT_TRUE(edit.multi_line);
    EXPECT_EQ(edit.scroll_bars, 3u);
    EXPECT_EQ(edit.alignment, 2u);
    EXPECT_EQ(edit.input_mode, 1u);
    EXPECT_EQ(edit.password_character, '#');
    EXPECT_EQ(edit.stored_20, 20u);
    EXPECT_EQ(edit.stored_25, 25);
    EXPECT_EQ(edit.font, Bytes{'F'});
    EXPECT_EQ(edit.content, "c");
    EXPECT_EQ(edit.stored_text_27, "27");
    EXPECT_EQ(edit.stored_text_28, "28");

    // Label, version 2: vertical alignment before word wrap.
    HandWritten l;
    l.u32(2).u32(3).u32(5).u32(2).u32(11).u32(12).u32(13).u32(16).u32(17).u32(0).u32(1).u32(21).u32(22).u32(23);
    l.u32(2).u32(0).u32(1).text("F").text("P").text("cap").text("a").text("b");
    const auto label = read_as<LabelData>(Kind::Label, l);
    EXPECT_EQ(label.text_effect, 3u);
    EXPECT_EQ(label.gradient_border_width, 5);
    EXPECT_EQ(label.border_style, 2u);
    EXPECT_EQ(label.gradient_border_colour_1, 11u);
    EXPECT_EQ(label.gradient_border_colour_3, 13u);
    EXPECT_EQ(label.text_colour, 16u);
    EXPECT_EQ(label.background_colour, 17u);
    EXPECT_EQ(label.picture_mode, 0u);
    EXPECT_EQ(label.gradient_background_mode, 1u);
    EXPECT_EQ(label.gradient_background_colour_1, 21u);
    EXPECT_EQ(label.gradient_background_colour_3, 23u);
    EXPECT_EQ(label.horizontal_alignment, 2u);
    EXPECT_EQ(label.vertical_alignment, 0u);
    EXPECT_TRUE(label.word_wrap);
    EXPECT_EQ(label.font, Bytes{'F'});
    EXPECT_EQ(label.picture, Bytes{'P'});
    EXPECT_EQ(label.caption, "cap");
    EXPECT_EQ(label.stored_text_28, "b");

    HandWritten b;
    b.u32(1).u32(1).u32(2).u32(0).text("P").text("F").text("cap");
    const auto button = read_as<ButtonData>(Kind::Button, b);
    EXPECT_EQ(button.button_type, 1u);
    EXPECT_EQ(button.horizontal_alignment, 2u);
    EXPECT_EQ(button.vertical_alignment, 0u);
    EXPECT_EQ(button.picture, Bytes{'P'});
    EXPECT_EQ(button.font, Bytes{'F'});
    EXPECT_EQ(button.caption, "cap");

    HandWritten p;
    p.u32(2).u32(3).u32(0x445566).u32(1).u32(0).text("G").text("13").text("14");
    const auto box = read_as<PictureBoxData>(Kind::PictureBox, p);
    EXPECT_EQ(box.border_style, 3u);
    EXPECT_EQ(box.background_colour, 0x445566u);
    EXPECT_EQ(box.display_mode, 1u);
    EXPECT_FALSE(box.play_animation);
    EXPECT_EQ(box.picture, Bytes{'G'});
    EXPECT_EQ(box.stored_text_13, "13");
    EXPECT_EQ(box.stored_text_14, "14");

    HandWritten d;
    d.u32(1).u32(2).u32(9).u32(3).u32(1).u32(4).u32(5).u32(6).u32(7).u32(17).u32(8).u32(19).u32(20).u32(21);
    d.text("F").text("B");
    const auto canvas = read_as<CanvasData>(Kind::Canvas, d);
    EXPECT_EQ(canvas.border_style, 2u);
    EXPECT_EQ(canvas.background_colour, 9u);
    EXPECT_EQ(canvas.background_picture_mode, 3u);
    EXPECT_TRUE(canvas.auto_redraw);
    EXPECT_EQ(canvas.drawing_unit, 4u);
    EXPECT_EQ(canvas.pen_type, 5u);
    EXPECT_EQ(canvas.draw_mode, 6u);
    EXPECT_EQ(canvas.pen_width, 7);
    EXPECT_EQ(canvas.pen_colour, 17u);
    EXPECT_EQ(canvas.brush_type, 8u);
    EXPECT_EQ(canvas.brush_colour, 19u);
    EXPECT_EQ(canvas.text_colour, 20u);
    EXPECT_EQ(canvas.text_background_colour, 21u);
    EXPECT_EQ(canvas.font, Bytes{'F'});
    EXPECT_EQ(canvas.background_picture, Bytes{'B'});

    HandWritten t;
    t.u32(1).u32(250);
    EXPECT_EQ(read_as<TimerData>(Kind::Timer, t).period, 250);

    // And the writer gives back exactly these bytes.
    for (const auto& [kind, hand] : {std::pair{Kind::Window, &w},
                                     {Kind::EditBox, &e},
                                     {Kind::Label, &l},
                                     {Kind::Button, &b},
                                     {Kind::PictureBox, &p},
                                     {Kind::Canvas, &d},
                                     {Kind::Timer, &t}})
        EXPECT_EQ(write_kind_data(*read_kind_data(static_cast<std::uint32_t>(kind), hand->bytes)), hand->bytes)
            << kind_name(kind);
}

TEST(KindData, KindNamesRoundTrip) {
    for (Kind kind :
         {Kind::Window, Kind::EditBox, Kind::PictureBox, Kind::Canvas, Kind::Label, Kind::Button, Kind::Timer})
        EXPECT_EQ(kind_from_name(kind_name(kind)), kind);
    EXPECT_FALSE(kind_from_name("Canvas"));
    EXPECT_FALSE(kind_from_name("PictureBox"));
}

}  // namespace
}  // namespace formhost
