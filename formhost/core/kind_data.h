#pragma once
// The seven control kinds and their own property values ("kind data").
//
// Each kind's data is a plain struct whose member initialisers are the values
// that empty kind data stands for. Its visit() lists the stored fields in
// their stored order, each with its property index and the kind-data version
// that introduced it; the reader, the writer and the form compiler all walk
// that one list, so the layout is written down exactly once.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "byte_io.h"

namespace formhost {

enum class Kind : std::uint32_t {
    Window = 0x00010001,
    EditBox = 0x00010005,
    PicBox = 0x00010006,
    DrawPanel = 0x00010008,
    Label = 0x0001000A,
    Button = 0x0001000B,
    Timer = 0x00010020,
};

inline constexpr std::uint32_t kDefaultColour = 0xFF000000u;

// How a field's value is meant; the stored encoding follows from the member's
// C++ type (u32, i32, on/off, u16, text, bytes).
enum class FieldType { Number, Choice, Colour, Flag, Char, Text, Picture, Sound, Icon, Font };

struct FieldInfo {
    const char* name;
    int property;  // property index the field holds; -1 for a stored-only value
    FieldType type;
    std::uint32_t since = 1;  // first kind-data version that stores it
};

struct WindowData {
    static constexpr Kind kind = Kind::Window;
    static constexpr std::uint32_t highest_version = 6;

    std::uint32_t border_style = 2;
    std::uint32_t background_picture_mode = 1;
    std::uint32_t background_colour = kDefaultColour;
    bool maximise_button = false;
    bool minimise_button = false;
    bool control_buttons = true;
    std::uint32_t start_position = 1;
    bool movable = true;
    std::uint32_t sound_play_mode = 0;
    bool enter_moves_focus = false;
    bool escape_closes = true;
    bool f1_opens_help = false;
    std::int32_t help_id = 0;
    bool shown_in_task_bar = true;
    bool flag_27 = false;
    std::uint32_t shape = 0;
    bool always_on_top = false;
    bool flag_30 = false;
    std::string window_class_name;
    Bytes background_picture;
    Bytes icon;
    Bytes background_sound;
    std::string title;
    std::string help_file_name;

    template <class Self, class V> static void visit(Self& s, V& v) {
        v(s.border_style, {"border_style", 9, FieldType::Choice});
        v(s.background_picture_mode, {"background_picture_mode", 12, FieldType::Choice});
        v(s.background_colour, {"background_colour", 10, FieldType::Colour});
        v(s.maximise_button, {"maximise_button", 16, FieldType::Flag});
        v(s.minimise_button, {"minimise_button", 17, FieldType::Flag});
        v(s.control_buttons, {"control_buttons", 15, FieldType::Flag});
        v(s.start_position, {"start_position", 18, FieldType::Choice});
        v(s.movable, {"movable", 19, FieldType::Flag});
        v(s.sound_play_mode, {"sound_play_mode", 14, FieldType::Choice});
        v(s.enter_moves_focus, {"enter_moves_focus", 21, FieldType::Flag});
        v(s.escape_closes, {"escape_closes", 22, FieldType::Flag});
        v(s.f1_opens_help, {"f1_opens_help", 23, FieldType::Flag});
        v(s.help_id, {"help_id", 25, FieldType::Number});
        v(s.shown_in_task_bar, {"shown_in_task_bar", 26, FieldType::Flag, 2});
        v(s.flag_27, {"flag_27", 27, FieldType::Flag, 3});
        v(s.shape, {"shape", 28, FieldType::Choice, 3});
        v(s.always_on_top, {"always_on_top", 29, FieldType::Flag, 4});
        v(s.flag_30, {"flag_30", 30, FieldType::Flag, 5});
        v(s.window_class_name, {"window_class_name", 31, FieldType::Text, 6});
        v(s.background_picture, {"background_picture", 11, FieldType::Picture});
        v(s.icon, {"icon", 20, FieldType::Icon});
        v(s.background_sound, {"background_sound", 13, FieldType::Sound});
        v(s.title, {"title", 8, FieldType::Text});
        v(s.help_file_name, {"help_file_name", 24, FieldType::Text});
    }
    bool operator==(const WindowData&) const = default;
};

struct EditBoxData {
    static constexpr Kind kind = Kind::EditBox;
    static constexpr std::uint32_t highest_version = 2;

    std::uint32_t border_style = 1;
    std::uint32_t text_colour = 0x000000;
    std::uint32_t background_colour = 0xFFFFFF;
    bool hide_selection = true;
    std::int32_t maximum_length = 0;
    bool multi_line = false;
    std::uint32_t scroll_bars = 0;
    std::uint32_t alignment = 0;
    std::uint32_t input_mode = 0;
    std::uint16_t password_character = '*';
    std::uint32_t property_20 = 0;
    std::uint32_t property_21 = 0;
    std::int32_t property_22 = 0;
    std::int32_t property_23 = 100;
    std::int32_t property_24 = 0;
    std::int32_t property_25 = 0;
    Bytes font;
    std::string content;
    std::string property_27;
    std::string property_28;

    template <class Self, class V> static void visit(Self& s, V& v) {
        v(s.border_style, {"border_style", 9, FieldType::Choice});
        v(s.text_colour, {"text_colour", 10, FieldType::Colour});
        v(s.background_colour, {"background_colour", 11, FieldType::Colour});
        v(s.hide_selection, {"hide_selection", 13, FieldType::Flag});
        v(s.maximum_length, {"maximum_length", 14, FieldType::Number});
        v(s.multi_line, {"multi_line", 15, FieldType::Flag});
        v(s.scroll_bars, {"scroll_bars", 16, FieldType::Choice});
        v(s.alignment, {"alignment", 17, FieldType::Choice});
        v(s.input_mode, {"input_mode", 18, FieldType::Choice});
        // A 16-bit field between 32-bit ones: what follows is not aligned.
        v(s.password_character, {"password_character", 19, FieldType::Char});
        v(s.property_20, {"property_20", 20, FieldType::Number});
        v(s.property_21, {"property_21", 21, FieldType::Number});
        v(s.property_22, {"property_22", 22, FieldType::Number});
        v(s.property_23, {"property_23", 23, FieldType::Number});
        v(s.property_24, {"property_24", 24, FieldType::Number});
        v(s.property_25, {"property_25", 25, FieldType::Number});
        v(s.font, {"font", 12, FieldType::Font});
        v(s.content, {"content", 8, FieldType::Text});
        v(s.property_27, {"property_27", 27, FieldType::Text, 2});
        v(s.property_28, {"property_28", 28, FieldType::Text, 2});
    }
    bool operator==(const EditBoxData&) const = default;
};

struct LabelData {
    static constexpr Kind kind = Kind::Label;
    static constexpr std::uint32_t highest_version = 2;

    std::uint32_t text_effect = 0;
    std::int32_t gradient_border_width = 8;
    std::uint32_t border_style = 0;
    std::uint32_t gradient_border_colour_1 = 0x808080;
    std::uint32_t gradient_border_colour_2 = 0xFFFFFF;
    std::uint32_t gradient_border_colour_3 = 0x808080;
    std::uint32_t text_colour = 0x000000;
    std::uint32_t background_colour = kDefaultColour;
    std::uint32_t picture_mode = 1;
    std::uint32_t gradient_background_mode = 0;
    std::uint32_t gradient_background_colour_1 = 0x808080;
    std::uint32_t gradient_background_colour_2 = 0xFFFFFF;
    std::uint32_t gradient_background_colour_3 = 0x808080;
    std::uint32_t horizontal_alignment = 0;
    std::uint32_t vertical_alignment = 1;
    bool word_wrap = false;
    Bytes font;
    Bytes picture;
    std::string caption = "标签";
    std::string property_27;
    std::string property_28;

    template <class Self, class V> static void visit(Self& s, V& v) {
        v(s.text_effect, {"text_effect", 9, FieldType::Choice});
        v(s.gradient_border_width, {"gradient_border_width", 11, FieldType::Number});
        v(s.border_style, {"border_style", 10, FieldType::Choice});
        v(s.gradient_border_colour_1, {"gradient_border_colour_1", 12, FieldType::Colour});
        v(s.gradient_border_colour_2, {"gradient_border_colour_2", 13, FieldType::Colour});
        v(s.gradient_border_colour_3, {"gradient_border_colour_3", 14, FieldType::Colour});
        v(s.text_colour, {"text_colour", 16, FieldType::Colour});
        v(s.background_colour, {"background_colour", 17, FieldType::Colour});
        v(s.picture_mode, {"picture_mode", 19, FieldType::Choice});
        v(s.gradient_background_mode, {"gradient_background_mode", 20, FieldType::Choice});
        v(s.gradient_background_colour_1, {"gradient_background_colour_1", 21, FieldType::Colour});
        v(s.gradient_background_colour_2, {"gradient_background_colour_2", 22, FieldType::Colour});
        v(s.gradient_background_colour_3, {"gradient_background_colour_3", 23, FieldType::Colour});
        v(s.horizontal_alignment, {"horizontal_alignment", 24, FieldType::Choice});
        // Stored before word wrap although its property index is higher.
        v(s.vertical_alignment, {"vertical_alignment", 26, FieldType::Choice});
        v(s.word_wrap, {"word_wrap", 25, FieldType::Flag});
        v(s.font, {"font", 15, FieldType::Font});
        v(s.picture, {"picture", 18, FieldType::Picture});
        v(s.caption, {"caption", 8, FieldType::Text});
        v(s.property_27, {"property_27", 27, FieldType::Text, 2});
        v(s.property_28, {"property_28", 28, FieldType::Text, 2});
    }
    bool operator==(const LabelData&) const = default;
};

struct ButtonData {
    static constexpr Kind kind = Kind::Button;
    static constexpr std::uint32_t highest_version = 1;

    std::uint32_t button_type = 0;
    std::uint32_t horizontal_alignment = 1;
    std::uint32_t vertical_alignment = 1;
    Bytes picture;
    Bytes font;
    std::string caption = "按钮";

    template <class Self, class V> static void visit(Self& s, V& v) {
        v(s.button_type, {"button_type", 9, FieldType::Choice});
        v(s.horizontal_alignment, {"horizontal_alignment", 11, FieldType::Choice});
        v(s.vertical_alignment, {"vertical_alignment", 12, FieldType::Choice});
        v(s.picture, {"picture", 8, FieldType::Picture});
        v(s.font, {"font", 13, FieldType::Font});
        v(s.caption, {"caption", 10, FieldType::Text});
    }
    bool operator==(const ButtonData&) const = default;
};

struct PicBoxData {
    static constexpr Kind kind = Kind::PicBox;
    static constexpr std::uint32_t highest_version = 2;

    std::uint32_t border_style = 0;
    std::uint32_t background_colour = kDefaultColour;
    std::uint32_t display_mode = 0;
    bool play_animation = true;
    Bytes picture;
    std::string property_13;
    std::string property_14;

    template <class Self, class V> static void visit(Self& s, V& v) {
        v(s.border_style, {"border_style", 8, FieldType::Choice});
        v(s.background_colour, {"background_colour", 9, FieldType::Colour});
        v(s.display_mode, {"display_mode", 11, FieldType::Choice});
        v(s.play_animation, {"play_animation", 12, FieldType::Flag});
        v(s.picture, {"picture", 10, FieldType::Picture});
        v(s.property_13, {"property_13", 13, FieldType::Text, 2});
        v(s.property_14, {"property_14", 14, FieldType::Text, 2});
    }
    bool operator==(const PicBoxData&) const = default;
};

struct DrawPanelData {
    static constexpr Kind kind = Kind::DrawPanel;
    static constexpr std::uint32_t highest_version = 1;

    std::uint32_t border_style = 0;
    std::uint32_t background_colour = kDefaultColour;
    std::uint32_t background_picture_mode = 1;
    bool auto_redraw = false;
    std::uint32_t drawing_unit = 0;
    std::uint32_t pen_type = 1;
    std::uint32_t draw_mode = 12;
    std::int32_t pen_width = 0;
    std::uint32_t pen_colour = 0x000000;
    std::uint32_t brush_type = 1;
    std::uint32_t brush_colour = 0xFFFFFF;
    std::uint32_t text_colour = 0x000000;
    std::uint32_t text_background_colour = kDefaultColour;
    Bytes font;
    Bytes background_picture;

    template <class Self, class V> static void visit(Self& s, V& v) {
        v(s.border_style, {"border_style", 8, FieldType::Choice});
        v(s.background_colour, {"background_colour", 9, FieldType::Colour});
        v(s.background_picture_mode, {"background_picture_mode", 11, FieldType::Choice});
        v(s.auto_redraw, {"auto_redraw", 12, FieldType::Flag});
        v(s.drawing_unit, {"drawing_unit", 13, FieldType::Choice});
        v(s.pen_type, {"pen_type", 14, FieldType::Choice});
        v(s.draw_mode, {"draw_mode", 15, FieldType::Choice});
        v(s.pen_width, {"pen_width", 16, FieldType::Number});
        v(s.pen_colour, {"pen_colour", 17, FieldType::Colour});
        v(s.brush_type, {"brush_type", 18, FieldType::Choice});
        v(s.brush_colour, {"brush_colour", 19, FieldType::Colour});
        v(s.text_colour, {"text_colour", 20, FieldType::Colour});
        v(s.text_background_colour, {"text_background_colour", 21, FieldType::Colour});
        v(s.font, {"font", 22, FieldType::Font});
        v(s.background_picture, {"background_picture", 10, FieldType::Picture});
    }
    bool operator==(const DrawPanelData&) const = default;
};

struct TimerData {
    static constexpr Kind kind = Kind::Timer;
    static constexpr std::uint32_t highest_version = 1;

    std::int32_t period = 0;

    template <class Self, class V> static void visit(Self& s, V& v) { v(s.period, {"period", 8, FieldType::Number}); }
    bool operator==(const TimerData&) const = default;
};

using KindData = std::variant<WindowData, EditBoxData, LabelData, ButtonData, PicBoxData, DrawPanelData, TimerData>;

// The When-absent values of a kind; nullopt for a kind code outside the seven.
std::optional<KindData> default_kind_data(std::uint32_t kind_code);

// Empty data gives the defaults. A version above the kind's highest, or data
// that ends before the last field of its version, cannot be read.
std::optional<KindData> read_kind_data(std::uint32_t kind_code, ByteView data);

// Writes the kind's highest version with every field.
Bytes write_kind_data(const KindData& data);

Kind kind_of(const KindData& data);

// The type names used by form sources ("window", "EditBox", ...).
const char* kind_name(Kind kind);
std::optional<Kind> kind_from_name(std::string_view name);

}  // namespace formhost
