// Writes a few valid media files, made by the tests' builders, as seeds for
// the fuzz targets: media_seeds DIR fills DIR/wave, bmp, icon, gif and jpeg.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "test_files.h"

using namespace formhost;
using namespace formhost::media::test;

namespace {

void write(const std::filesystem::path& dir, const char* name, const Bytes& bytes) {
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: media_seeds DIR\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];

    write(root / "wave", "pcm.wav", riff_wave({{"fmt ", Bytes(16, 1)}, {"LIST", Bytes(5, 2)}, {"data", Bytes(40, 3)}}));
    write(root / "wave", "midi.mid", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96});

    const std::vector<std::uint32_t> colours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    write(root / "bmp", "rgb24.bmp",
          bmp({.width = 5, .height = 3, .values = std::vector<std::uint32_t>(15, 0x123456)}));
    write(root / "bmp", "pal4.bmp",
          bmp({.width = 9,
               .height = 2,
               .bits = 4,
               .top_down = true,
               .colours_used = 4,
               .palette = colours,
               .values = std::vector<std::uint32_t>(18, 2)}));
    write(root / "bmp", "v5.bmp",
          bmp({.width = 2,
               .height = 2,
               .bits = 32,
               .compression = 3,
               .header_size = 124,
               .masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
               .values = {1, 2, 3, 4}}));

    const DibSpec icon32{.width = 4,
                         .height = 4,
                         .bits = 32,
                         .values = std::vector<std::uint32_t>(16, 0x80FFFFFF),
                         .and_mask = std::vector<bool>(16, false)};
    const DibSpec icon8{.width = 3,
                        .height = 2,
                        .bits = 8,
                        .colours_used = 4,
                        .palette = colours,
                        .values = {0, 1, 2, 3, 0, 1},
                        .and_mask = {true, false, true, false, true, false}};
    write(root / "icon", "two.ico", icon_file({{dib(icon8, true)}, {dib(icon32, true)}}));
    write(root / "icon", "one.cur", icon_file({{dib(icon8, true), 1, 1}}, 2));

    write(root / "jpeg", "exif.jpg", encode_jpeg({.width = 20, .height = 12, .colour = {200, 30, 90}, .exif = true}));
    write(root / "jpeg", "progressive.jpg",
          encode_jpeg({.width = 20, .height = 12, .colour = {1, 2, 3}, .progressive = true}));
    write(root / "jpeg", "gray.jpg", encode_jpeg({.width = 8, .height = 8, .components = 1, .colour = {77}}));
    write(root / "jpeg", "cmyk.jpg", encode_jpeg({.width = 9, .height = 9, .components = 4, .colour = {1, 2, 3, 4}}));

    write(root / "gif", "animated.gif", two_frame_gif(colours));
    return 0;
}
