// The show in the browser: the show's own code on the page's stage. The page
// (page/stage_canvas.js, global `ShowPage`) draws, measures and holds the
// texts; waits are emscripten's asynchronous sleeps, so the page stays alive
// while the show waits.

#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "op_log.h"
#include "page_stage.h"

namespace {

EM_JS(int, js_width, (), { return ShowPage.width(); });
EM_JS(int, js_height, (), { return ShowPage.height(); });
EM_JS(int, js_line_height, (const char* line, int length), { return ShowPage.lineHeight(UTF8ToString(line, length)); });
EM_JS(void, js_draw_text, (const char* line, int length, int x, int y),
      { ShowPage.drawText(UTF8ToString(line, length), x, y); });
EM_JS(void, js_scroll_up, (int d), { ShowPage.scrollUp(d); });
EM_JS(void, js_clear, (int left, int top, int right, int bottom), { ShowPage.clear(left, top, right, bottom); });
EM_JS(void, js_draw_rose, (int x, int y), { ShowPage.drawRose(x, y); });
EM_JS(char*, js_slot_text, (int slot), {
    const text = ShowPage.slotText(slot);
    const size = lengthBytesUTF8(text) + 1;
    const p = _malloc(size);
    stringToUTF8(text, p, size);
    return p;
});
// How long to sleep now for a wait of `ms`: the page keeps the show on its
// timeline (see stage_canvas.js).
EM_JS(int, js_sleep_for, (int ms), { return ShowPage.sleepFor(ms); });
// Nonzero while a test holds the show at the start of a phase.
EM_JS(int, js_phase, (int number), { return ShowPage.phase(number); });
EM_JS(int, js_held, (), { return ShowPage.held(); });
EM_JS(std::uint32_t, js_clock, (), { return ShowPage.clock() >>> 0; });
EM_JS(void, js_log, (const char* line, int length), { ShowPage.log(UTF8ToString(line, length)); });
EM_JS(void, js_ended, (), { ShowPage.ended(); });

class BrowserPage : public web::Page {
public:
    int width() override { return js_width(); }
    int height() override { return js_height(); }
    int line_height(std::string_view line) override {
        return js_line_height(line.data(), static_cast<int>(line.size()));
    }
    void draw_text(std::string_view line, int x, int y) override {
        js_draw_text(line.data(), static_cast<int>(line.size()), x, y);
    }
    void scroll_up(int d) override { js_scroll_up(d); }
    void clear(int left, int top, int right, int bottom) override { js_clear(left, top, right, bottom); }
    void draw_rose(int x, int y) override { js_draw_rose(x, y); }
    std::string slot_text(int slot) override {
        char* p = js_slot_text(slot);
        std::string text(p);
        std::free(p);
        return text;
    }
    void wait(int milliseconds) override { emscripten_sleep(static_cast<unsigned>(js_sleep_for(milliseconds))); }
    void phase(int number) override {
        if (!js_phase(number)) return;
        while (js_held()) emscripten_sleep(20);
    }
};

}  // namespace

// Runs the whole show once; the page hears of its end through ShowPage.ended.
// With `logged` every stage call goes to ShowPage.log as well.
extern "C" EMSCRIPTEN_KEEPALIVE void show_run(int logged) {
    BrowserPage page;
    web::PageStage stage(page);
    web::run_logged_show(
        stage, page.width(), page.height(), [] { return js_clock(); },
        [logged](const std::string& line) {
            if (logged) js_log(line.data(), static_cast<int>(line.size()));
        });
    js_ended();
}
