#pragma once
// The seven control kinds and their own property values ("kind data").
//
// Each kind's data is a plain struct whose member initialisers are the values
// that empty kind data stands for. Its visit() lists the stored fields in
// their stored order, each with its property index and the kind-data version
// that introduced it; the reader, the writer and the form compiler all walk
// that one list, so the layout is written down exactly once. A field named
// stored_... is kept and written back with its control, and nothing in this
// host reads it.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "byte_io.h"
#include "property_indexes.h"

namespace formhost {

enum class Kind : std::uint32_t {
    Window = 0x00010001,
    EditBox = 0x00010005,
    PictureBox = 0x00010006,
    Canvas = 0x00010008,
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
    bool stored_flag_27 = false;
    std::uint32_t shape = 0;
    bool always_on_top = false;
    bool stored_flag_30 = false;
    std::string window_class_name;
    Bytes background_picture;
    Bytes icon;
    Bytes background_sound;
    std::string title;
    std::string help_file_name;

    template <class Self, class V> static void visit(Self& s, V& v) {
        v(s.border_style, {"border_style", property::window::kBorderStyle, FieldType::Choice});
        v(s.background_picture_mode,
          {"background_picture_mode", property::window::kBackgroundPictureMode, FieldType::Choice});
        v(s.background_colour, {"background_colour", property::window::kBackgroundColour, FieldType::Colour});
        v(s.maximise_button, {"maximise_button", property::window::kMaximiseButton, FieldType::Flag});
        v(s.minimise_button, {"minimise_button", property::window::kMinimiseButton, FieldType::Flag});
        v(s.control_buttons, {"control_buttons", property::window::kControlButtons, FieldType::Flag});
        v(s.start_position, {"start_position", property::window::kStartPosition, FieldType::Choice});
        v(s.movable, {"movable", property::window::kMovable, FieldType::Flag});
        v(s.sound_play_mode, {"sound_play_mode", property::window::kSoundPlayMode, FieldType::Choice});
        v(s.enter_moves_focus, {"enter_moves_focus", property::window::kEnterMovesFocus, FieldType::Flag});
        v(s.escape_closes, {"escape_closes", property::window::kEscapeCloses, FieldType::Flag});
        v(s.f1_opens_help, {"f1_opens_help", property::window::kF1OpensHelp, FieldType::Flag});
        v(s.help_id, {"help_id", property::window::kHelpId, FieldType::Number});
        v(s.shown_in_task_bar, {"shown_in_task_bar", property::window::kShownInTaskBar, FieldType::Flag, 2});
        v(s.stored_flag_27, {"stored_flag_27", property::window::kStoredFlag27, FieldType::Flag, 3});
        v(s.shape, {"shape", property::window::kShape, FieldType::Choice, 3});
        v(s.always_on_top, {"always_on_top", property::window::kAlwaysOnTop, FieldType::Flag, 4});
        v(s.stored_flag_30, {"stored_flag_30", property::window::kStoredFlag30, FieldType::Flag, 5});
        v(s.window_class_name, {"window_class_name", property::window::kWindowClassName, FieldType::Text, 6});
        v(s.background_picture, {"background_picture", property::window::kBackgroundPicture, FieldType::Picture});
        v(s.icon, {"icon", property::window::kIcon, FieldType::Icon});
        v(s.background_sound, {"background_sound", property::window::kBackgroundSound, FieldType::Sound});
        v(s.title, {"title", property::window::kTitle, FieldType::Text});
        v(s.help_file_name, {"help_file_name", property::window::kHelpFileName, FieldType::Text});
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
    std::uint32_t stored_20 = 0;
    std::uint32_t stored_21 = 0;
    std::int32_t stored_22 = 0;
    std::int32_t stored_23 = 100;
    std::int32_t stored_24 = 0;
    std::int32_t stored_25 = 0;
    Bytes font;
    std::string content;
    std::string stored_text_27;
    std::string stored_text_28;

    template <class Self, class V> static void visit(Self& s, V& v) {
        v(s.border_style, {"border_style", property::edit_box::kBorderStyle, FieldType::Choice});
        v(s.text_colour, {"text_colour", property::edit_box::kTextColour, FieldType::Colour});
        v(s.background_colour, {"background_colour", property::edit_box::kBackgroundColour, FieldType::Colour});
        v(s.hide_selection, {"hide_selection", property::edit_box::kHideSelection, FieldType::Flag});
        v(s.maximum_length, {"maximum_length", property::edit_box::kMaximumLength, FieldType::Number});
        v(s.multi_line, {"multi_line", property::edit_box::kMultiLine, FieldType::Flag});
        v(s.scroll_bars, {"scroll_bars", property::edit_box::kScrollBars, FieldType::Choice});
        v(s.alignment, {"alignment", property::edit_box::kAlignment, FieldType::Choice});
        v(s.input_mode, {"input_mode", property::edit_box::kInputMode, FieldType::Choice});
        // A 16-bit field between 32-bit ones: what follows is not aligned.
        v(s.password_character, {"password_character", property::edit_box::kPasswordCharacter, FieldType::Char});
        v(s.stored_20, {"stored_20", property::edit_box::kStored20, FieldType::Number});
        v(s.stored_21, {"stored_21", property::edit_box::kStored21, FieldType::Number});
        v(s.stored_22, {"stored_22", property::edit_box::kStored22, FieldType::Number});
        v(s.stored_23, {"stored_23", property::edit_box::kStored23, FieldType::Number});
        v(s.stored_24, {"stored_24", property::edit_box::kStored24, FieldType::Number});
        v(s.stored_25, {"stored_25", property::edit_box::kStored25, FieldType::Number});
        v(s.font, {"font", property::edit_box::kFont, FieldType::Font});
        v(s.content, {"content", property::edit_box::kContent, FieldType::Text});
        v(s.stored_text_27, {"stored_text_27", property::edit_box::kStoredText27, FieldType::Text, 2});
        v(s.stored_text_28, {"stored_text_28", property::edit_box::kStoredText28, FieldType::Text, 2});
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
    std::string stored_text_27;
    std::string stored_text_28;

    template <class Self, class V> static void visit(Self& s, V& v) {
        v(s.text_effect, {"text_effect", property::label::kTextEffect, FieldType::Choice});
        v(s.gradient_border_width, {"gradient_border_width", property::label::kGradientBorderWidth, FieldType::Number});
        v(s.border_style, {"border_style", property::label::kBorderStyle, FieldType::Choice});
        v(s.gradient_border_colour_1,
          {"gradient_border_colour_1", property::label::kGradientBorderColour1, FieldType::Colour});
        v(s.gradient_border_colour_2,
          {"gradient_border_colour_2", property::label::kGradientBorderColour2, FieldType::Colour});
        v(s.gradient_border_colour_3,
          {"gradient_border_colour_3", property::label::kGradientBorderColour3, FieldType::Colour});
        v(s.text_colour, {"text_colour", property::label::kTextColour, FieldType::Colour});
        v(s.background_colour, {"background_colour", property::label::kBackgroundColour, FieldType::Colour});
        v(s.picture_mode, {"picture_mode", property::label::kPictureMode, FieldType::Choice});
        v(s.gradient_background_mode,
          {"gradient_background_mode", property::label::kGradientBackgroundMode, FieldType::Choice});
        v(s.gradient_background_colour_1,
          {"gradient_background_colour_1", property::label::kGradientBackgroundColour1, FieldType::Colour});
        v(s.gradient_background_colour_2,
          {"gradient_background_colour_2", property::label::kGradientBackgroundColour2, FieldType::Colour});
        v(s.gradient_background_colour_3,
          {"gradient_background_colour_3", property::label::kGradientBackgroundColour3, FieldType::Colour});
        v(s.horizontal_alignment, {"horizontal_alignment", property::label::kHorizontalAlignment, FieldType::Choice});
        // Stored before word wrap although its property index is higher.
        v(s.vertical_alignment, {"vertical_alignment", property::label::kVerticalAlignment, FieldType::Choice});
        v(s.word_wrap, {"word_wrap", property::label::kWordWrap, FieldType::Flag});
        v(s.font, {"font", property::label::kFont, FieldType::Font});
        v(s.picture, {"picture", property::label::kPicture, FieldType::Picture});
        v(s.caption, {"caption", property::label::kCaption, FieldType::Text});
        v(s.stored_text_27, {"stored_text_27", property::label::kStoredText27, FieldType::Text, 2});
        v(s.stored_text_28, {"stored_text_28", property::label::kStoredText28, FieldType::Text, 2});
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
        v(s.button_type, {"button_type", property::button::kButtonType, FieldType::Choice});
        v(s.horizontal_alignment, {"horizontal_alignment", property::button::kHorizontalAlignment, FieldType::Choice});
        v(s.vertical_alignment, {"vertical_alignment", property::button::kVerticalAlignment, FieldType::Choice});
        v(s.picture, {"picture", property::button::kPicture, FieldType::Picture});
        v(s.font, {"font", property::button::kFont, FieldType::Font});
        v(s.caption, {"caption", property::button::kCaption, FieldType::Text});
    }
    bool operator==(const ButtonData&) const = default;
};

struct PictureBoxData {
    static constexpr Kind kind = Kind::PictureBox;
    static constexpr std::uint32_t highest_version = 2;

    std::uint32_t border_style = 0;
    std::uint32_t background_colour = kDefaultColour;
    std::uint32_t display_mode = 0;
    bool play_animation = true;
    Bytes picture;
    std::string stored_text_13;
    std::string stored_text_14;

    template <class Self, class V> static void visit(Self& s, V& v) {
        v(s.border_style, {"border_style", property::picture_box::kBorderStyle, FieldType::Choice});
        v(s.background_colour, {"background_colour", property::picture_box::kBackgroundColour, FieldType::Colour});
        v(s.display_mode, {"display_mode", property::picture_box::kDisplayMode, FieldType::Choice});
        v(s.play_animation, {"play_animation", property::picture_box::kPlayAnimation, FieldType::Flag});
        v(s.picture, {"picture", property::picture_box::kPicture, FieldType::Picture});
        v(s.stored_text_13, {"stored_text_13", property::picture_box::kStoredText13, FieldType::Text, 2});
        v(s.stored_text_14, {"stored_text_14", property::picture_box::kStoredText14, FieldType::Text, 2});
    }
    bool operator==(const PictureBoxData&) const = default;
};

struct CanvasData {
    static constexpr Kind kind = Kind::Canvas;
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
        v(s.border_style, {"border_style", property::canvas::kBorderStyle, FieldType::Choice});
        v(s.background_colour, {"background_colour", property::canvas::kBackgroundColour, FieldType::Colour});
        v(s.background_picture_mode,
          {"background_picture_mode", property::canvas::kBackgroundPictureMode, FieldType::Choice});
        v(s.auto_redraw, {"auto_redraw", property::canvas::kAutoRedraw, FieldType::Flag});
        v(s.drawing_unit, {"drawing_unit", property::canvas::kDrawingUnit, FieldType::Choice});
        v(s.pen_type, {"pen_type", property::canvas::kPenType, FieldType::Choice});
        v(s.draw_mode, {"draw_mode", property::canvas::kDrawMode, FieldType::Choice});
        v(s.pen_width, {"pen_width", property::canvas::kPenWidth, FieldType::Number});
        v(s.pen_colour, {"pen_colour", property::canvas::kPenColour, FieldType::Colour});
        v(s.brush_type, {"brush_type", property::canvas::kBrushType, FieldType::Choice});
        v(s.brush_colour, {"brush_colour", property::canvas::kBrushColour, FieldType::Colour});
        v(s.text_colour, {"text_colour", property::canvas::kTextColour, FieldType::Colour});
        v(s.text_background_colour,
          {"text_background_colour", property::canvas::kTextBackgroundColour, FieldType::Colour});
        v(s.font, {"font", property::canvas::kFont, FieldType::Font});
        v(s.background_picture, {"background_picture", property::canvas::kBackgroundPicture, FieldType::Picture});
    }
    bool operator==(const CanvasData&) const = default;
};

struct TimerData {
    static constexpr Kind kind = Kind::Timer;
    static constexpr std::uint32_t highest_version = 1;

    std::int32_t period = 0;

    template <class Self, class V> static void visit(Self& s, V& v) {
        v(s.period, {"period", property::timer::kPeriod, FieldType::Number});
    }
    bool operator==(const TimerData&) const = default;
};

using KindData = std::variant<WindowData, EditBoxData, LabelData, ButtonData, PictureBoxData, CanvasData, TimerData>;

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
