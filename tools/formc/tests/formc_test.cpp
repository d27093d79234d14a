#include <gtest/gtest.h>

#include <fstream>

#include "form_source.h"
#include "formhost/core/font_record.h"
#include "formhost/core/kind_data.h"

namespace formc {
namespace {

// The project compiles narrow literals to GBK; form sources are UTF-8, so
// everything here that stands for source text is a u8 literal.
std::string utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

class FormcTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("formc_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        write("pic.bin", "PICTURE");
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path write(const std::string& name, const std::string& content) {
        const auto path = dir_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    std::string error_of(const std::string& source) {
        try {
            compile_form_source(write("bad.json", source));
        } catch (const SourceError& e) {
            return e.what();
        }
        return "no error";
    }

    std::filesystem::path dir_;
};

const std::string kGoodSource = utf8(
    u8R"({
  "routines": ["on_created", "on_click"],
  "windows": [{
    "id": "0x52010001", "control_id": "0x06010000", "code_module": "0x19010000",
    "constant": "kMainWindow", "control_constant": "kMainWindowControl",
    "left": 50, "top": 50, "width": 790, "height": 715,
    "properties": { "title": "修改器", "border_style": 2, "background_picture": "pic.bin" },
    "events": { "created": "on_created", "destroyed": null },
    "controls": [
      { "name": "按钮1", "id": "0x1601000f", "kind": "Button", "left": 448, "top": 80, "width": 104, "height": 32,
        "tab_stop": true, "cursor": "0x7F89",
        "properties": { "caption": "修改", "font": { "face": "楷体", "height": -16, "weight": 400, "char_set": 134 } },
        "events": { "clicked": "on_click" } },
      { "name": "时钟1", "id": "0x16010032", "constant": "kTick_Timer2", "kind": "Timer", "left": 552, "top": 0, "width": 40, "height": 32,
        "visible": false }
    ]
  }]
})");

TEST_F(FormcTest, CompilesWindowsControlsBindingsAndAssets) {
    const CompiledForm form = compile_form_source(write("good.json", kGoodSource));
    EXPECT_EQ(form.routines, (std::vector<std::string>{"on_created", "on_click"}));
    ASSERT_EQ(form.ids.size(), 3u);
    EXPECT_EQ(form.ids[0].name, "kMainWindow");
    EXPECT_EQ(form.ids[0].id, 0x52010001u);
    EXPECT_EQ(form.ids[1].name, "kMainWindowControl");
    EXPECT_EQ(form.ids[1].id, 0x06010000u);
    EXPECT_EQ(form.ids[2].name, "kTick_Timer2");
    EXPECT_EQ(form.ids[2].id, 0x16010032u);
    EXPECT_EQ(form.ids[2].what, utf8(u8"时钟1"));
    ASSERT_EQ(form.assets.size(), 1u);
    EXPECT_EQ(form.assets[0].filename(), "pic.bin");

    const auto block = formhost::read_form_block(formhost::write_form_block(form.block));
    ASSERT_TRUE(block);
    ASSERT_EQ(block->windows.size(), 1u);
    const auto& w = block->windows[0];
    EXPECT_EQ(w.id, 0x52010001u);
    EXPECT_EQ(w.code_module, 0x19010000u);
    ASSERT_EQ(w.controls.size(), 3u);

    const auto& window = w.controls[0];
    EXPECT_EQ(window.id, 0x06010000u);
    EXPECT_EQ(window.width, 790);
    EXPECT_TRUE(window.visible());
    EXPECT_EQ(window.bindings, (std::vector<formhost::Binding>{{0, 0}, {2, formhost::kNoHandler}}));
    const auto window_data = std::get<formhost::WindowData>(*formhost::read_kind_data(window.kind, window.kind_data));
    EXPECT_EQ(window_data.title, "\xD0\xDE\xB8\xC4\xC6\xF7");  // 修改器 in GBK
    EXPECT_EQ(window_data.background_picture, (formhost::Bytes{'P', 'I', 'C', 'T', 'U', 'R', 'E'}));
    EXPECT_TRUE(window_data.escape_closes) << "unlisted properties keep their defaults";

    const auto& button = w.controls[1];
    EXPECT_EQ(button.name, "\xB0\xB4\xC5\xA5\x31");  // 按钮1
    EXPECT_EQ(button.flags, formhost::kFlagVisible | formhost::kFlagTabStop);
    EXPECT_EQ(button.cursor, (formhost::Bytes{0x89, 0x7F, 0, 0}));
    EXPECT_EQ(button.bindings, (std::vector<formhost::Binding>{{0, 1}}));
    const auto button_data = std::get<formhost::ButtonData>(*formhost::read_kind_data(button.kind, button.kind_data));
    const auto font = formhost::read_font_record(button_data.font);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->face, "\xBF\xAC\xCC\xE5");
    EXPECT_EQ(font->height, -16);
    EXPECT_EQ(font->char_set, 134);

    const auto& timer = w.controls[2];
    EXPECT_FALSE(timer.visible());
    EXPECT_TRUE(timer.kind_data.empty()) << "no properties object stores empty kind data";
}

TEST_F(FormcTest, ErrorsNameTheFileTheControlAndTheField) {
    struct Case {
        const char* what;
        std::u8string_view from, to;
        std::vector<std::u8string_view> expected;
    };
    const std::vector<Case> cases{
        {"unknown kind",
         u8R"("kind": "Timer")",
         u8R"("kind": "Clock")",
         {u8"bad.json", u8"时钟1", u8"kind", u8"Clock"}},
        {"missing field", u8R"("left": 552, )", u8"", {u8"bad.json", u8"时钟1", u8"'left'", u8"missing"}},
        {"unknown routine", u8R"("clicked": "on_click")", u8R"("clicked": "on_klick")", {u8"按钮1", u8"on_klick"}},
        {"unreadable asset",
         u8R"("pic.bin")",
         u8R"("nowhere.bin")",
         {u8"window 0x52010001", u8"background_picture", u8"nowhere.bin"}},
        {"unknown property",
         u8R"("border_style": 2)",
         u8R"("border": 2)",
         {u8"window 0x52010001", u8"'border'", u8"unknown"}},
        {"event of another kind", u8R"("clicked")", u8R"("tick")", {u8"按钮1", u8"tick"}},
        {"text outside GBK", u8R"("caption": "修改")", u8R"("caption": "修改😀")", {u8"按钮1", u8"caption", u8"GBK"}},
        {"number out of range", u8R"("height": -16)", u8R"("height": 3000000000)", {u8"按钮1", u8"height", u8"range"}},
        {"duplicate control id", u8R"("0x16010032")", u8R"("0x1601000f")", {u8"时钟1", u8"used twice"}},
        {"system window class",
         u8R"("border_style": 2,)",
         u8R"("border_style": 2, "window_class_name": "EDIT",)",
         {u8"window 0x52010001", u8"window_class_name", u8"'EDIT'"}},
        {"constant not a C++ name", u8R"("kTick_Timer2")", u8R"("2nd timer")", {u8"时钟1", u8"constant", u8"C++ name"}},
        {"constant named twice",
         u8R"("kTick_Timer2")",
         u8R"("kMainWindow")",
         {u8"时钟1", u8"kMainWindow", u8"two ids"}},
        {"host window class",
         u8R"("border_style": 2,)",
         u8R"("border_style": 2, "window_class_name": "FormHostTimer",)",
         {u8"window 0x52010001", u8"window_class_name", u8"'FormHostTimer'"}},
    };
    for (const Case& c : cases) {
        std::string source = kGoodSource;
        const auto at = source.find(utf8(c.from));
        ASSERT_NE(at, std::string::npos) << c.what;
        source.replace(at, c.from.size(), utf8(c.to));
        const std::string message = error_of(source);
        for (const auto part : c.expected)
            EXPECT_NE(message.find(utf8(part)), std::string::npos)
                << c.what << ": \"" << utf8(part) << "\" not in: " << message;
    }
}

TEST_F(FormcTest, MalformedJsonIsASourceError) {
    EXPECT_NE(error_of("{ \"windows\": [ }").find("not valid JSON"), std::string::npos);
    EXPECT_NE(error_of("{}").find("windows"), std::string::npos);
}

}  // namespace
}  // namespace formc
