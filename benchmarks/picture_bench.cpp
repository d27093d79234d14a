// The picture engine at the editor's and the presenter's sizes: how long the
// three pictures take to decode, and how much processor time the editor's
// two animated picture boxes take while they play for 10 s (the target is
// under 2 % of one core for both together). Uses the programs' own assets
// when the source tree is reachable, else pictures of the same sizes made
// here.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "formhost/core/kind_data.h"
#include "formhost/core/media/gif.h"
#include "formhost/win32/controls/kinds.h"
#include "formhost/win32/media/picture.h"
#include "formhost/win32/system/precise_clock.h"
#include "picture_makers.h"
#include "support/waiting.h"

namespace {

using formhost::win32::precise_ms;

using formhost::Bytes;
namespace make = picture_makers;

constexpr DWORD kPlayMs = 10000;
constexpr int kDecodeRuns = 5;

struct Asset {
    const char* path;  // under the source tree
    Bytes bytes;
    bool made = false;  // not found: made here instead
};

// A picture of smooth gradients and a few hard edges, so JPEG and GIF have
// something like a photograph or a drawing to compress.
make::Image scene(int w, int h, int phase) {
    make::Image image = make::solid(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int r = (x * 255 / w + phase * 9) & 0xFF, g = y * 255 / h, b = ((x / 24 + y / 24 + phase) % 2) * 200;
            image.row(y)[x] = 0xFF000000u | static_cast<std::uint32_t>(r << 16 | g << 8 | b);
        }
    return image;
}

// Few colours per frame, as GIF needs, on a 6 x 6 x 6 cube.
make::Image cartoon(int w, int h, int phase) {
    make::Image image = make::solid(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int r = (x * 6 / w + phase) % 6, g = y * 6 / h, b = ((x + y + phase * 7) / 40) % 6;
            image.row(y)[x] = 0xFF000000u | static_cast<std::uint32_t>(r * 51 << 16 | g * 51 << 8 | b * 51);
        }
    return image;
}

Bytes animation(int w, int h, int frames, int delay_field) {
    std::vector<make::GifFrame> list;
    for (int i = 0; i < frames; ++i) list.push_back({cartoon(w, h, i), delay_field});
    return make::gif(list);
}

Asset load(const char* path, Bytes (*fallback)()) {
    std::string root = PICTURE_BENCH_SOURCE_DIR;
    if (!root.empty() && root.front() == '/') root = "Z:" + root;  // a Linux tree seen from Wine
    std::ifstream in(std::filesystem::path(root + "/" + path), std::ios::binary);
    if (in) return {path, Bytes(std::istreambuf_iterator<char>(in), {})};
    return {path, fallback(), true};
}

template <class F> double median_ms(F&& f) {
    std::vector<double> times;
    for (int i = 0; i < kDecodeRuns; ++i) {
        const double start = precise_ms();
        f();
        times.push_back(precise_ms() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double cpu_ms() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ms = [](FILETIME t) {
        return static_cast<double>(static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

std::unique_ptr<formhost::win32::Control> make_box(HWND parent, int id, RECT rect, const Bytes& gif,
                                                   std::uint32_t mode) {
    formhost::PictureBoxData data;
    data.picture = gif;
    data.display_mode = mode;
    auto box = formhost::win32::make_picture_box(0x52900001, static_cast<std::uint32_t>(id), data);
    formhost::win32::ControlPlace place;
    place.parent = parent;
    place.os_id = id;
    place.rect = rect;
    if (!box->create(place)) return nullptr;
    ShowWindow(box->hwnd(), SW_SHOWNA);
    return box;
}

void describe(const char* name, const Asset& asset) {
    const auto gif = formhost::media::decode_gif(asset.bytes);
    if (!gif) return;
    int total = 0;
    for (const auto& f : gif->frames) total += f.delay_field == 0 ? 100 : std::max(20, f.delay_ms);
    std::printf("  %-10s %d x %d, %zu frames, %.0f ms a frame on average%s\n", name, gif->width, gif->height,
                gif->frames.size(), static_cast<double>(total) / static_cast<double>(gif->frames.size()),
                asset.made ? " (made here)" : "");
}

}  // namespace

int main() {
    const Asset sky = load("presenter/assets/sky.jpg", [] { return make::jpeg(scene(800, 599, 0), 85); });
    const Asset cupid = load("editor/assets/cupid.gif", [] { return animation(312, 316, 27, 8); });
    const Asset banner = load("editor/assets/banner.gif", [] { return animation(891, 180, 12, 15); });

    std::printf("picture_bench: decoding (median of %d)\n", kDecodeRuns);
    for (const Asset* a : {&sky, &cupid, &banner}) {
        const auto picture = formhost::win32::Picture::load(a->bytes);
        const double still = median_ms([&] { formhost::win32::Picture::load(a->bytes); });
        std::printf("  %-26s %4d x %-4d %7.1f KiB  first frame %6.1f ms", a->path, picture ? picture->width() : 0,
                    picture ? picture->height() : 0, static_cast<double>(a->bytes.size()) / 1024.0, still);
        if (formhost::media::decode_gif(a->bytes)) {
            const double all = median_ms([&] { formhost::media::decode_gif(a->bytes); });
            std::printf(", all frames %6.1f ms", all);
        }
        std::printf("%s\n", a->made ? "  (made here)" : "");
    }

    // The editor's two boxes: cupid at natural size in 232 x 360, the banner
    // stretched to 552 x 88.
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PictureBenchWindow";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"picture bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                  800, 700, nullptr, nullptr, wc.hInstance, nullptr);
    const double start_begin = precise_ms();
    auto cupid_box = make_box(window, 100, {552, 80, 784, 440}, cupid.bytes, 0);
    auto banner_box = make_box(window, 110, {40, 600, 592, 688}, banner.bytes, 1);
    const double start_ms = precise_ms() - start_begin;
    if (!cupid_box || !banner_box) {
        std::printf("picture_bench: the picture boxes could not be made\n");
        return 1;
    }

    // From the boxes' start, while each frame is rendered as it first shows,
    // then once every frame is kept.
    std::printf("picture_bench: two animated boxes (made in %.1f ms)\n", start_ms);
    describe("cupid", cupid);
    describe("banner", banner);
    bool within = true;
    for (const char* phase : {"first 10 s", "next 10 s"}) {
        const double cpu_before = cpu_ms(), wall_before = precise_ms();
        test_support::pump_messages_for(kPlayMs);
        const double cpu = cpu_ms() - cpu_before, wall = precise_ms() - wall_before;
        const double percent = 100.0 * cpu / wall;
        std::printf("  %-10s processor time %4.0f ms in %5.0f ms: %.2f %% of one core (target under 2 %%)\n", phase,
                    cpu, wall, percent);
        within = within && percent < 2.0;
    }

    cupid_box.reset();
    banner_box.reset();
    DestroyWindow(window);
    return within ? 0 : 2;
}
