// make-assets: writes the show's media files under the given repository root.
//   make-assets ROOT [NAME...]   NAME is music, sky, rose, cupid, banner, presenter-icon
//                                or editor-icon (default: all)

#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "assets.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s ROOT [music|sky|rose|cupid|banner|presenter-icon|editor-icon...]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    struct Job {
        const char* name;
        const char* file;
        std::function<void(const std::string&)> make;
    };
    const std::vector<Job> jobs = {
        {"music", "presenter/assets/stage_music.wav", assets::make_stage_music},
        {"sky", "presenter/assets/sky.jpg", assets::make_sky},
        {"rose", "presenter/assets/rose.ico", assets::make_rose},
        {"cupid", "editor/assets/cupid.gif", assets::make_cupid},
        {"banner", "editor/assets/banner.gif", assets::make_banner},
        {"presenter-icon", "presenter/assets/presenter.ico", assets::make_presenter_icon},
        {"editor-icon", "editor/assets/editor.ico", assets::make_editor_icon},
    };
    std::vector<std::string> wanted(argv + 2, argv + argc);
    for (const std::string& w : wanted) {
        bool known = false;
        for (const Job& j : jobs) known = known || w == j.name;
        if (!known) {
            std::fprintf(stderr, "make-assets: unknown asset '%s'\n", w.c_str());
            return 2;
        }
    }
    try {
        for (const Job& j : jobs) {
            bool run = wanted.empty();
            for (const std::string& w : wanted) run = run || w == j.name;
            if (!run) continue;
            const std::filesystem::path out = root / j.file;
            std::filesystem::create_directories(out.parent_path());
            j.make(out.string());
            std::printf("make-assets: %s (%ju bytes)\n", j.file,
                        static_cast<std::uintmax_t>(std::filesystem::file_size(out)));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-assets: %s\n", e.what());
        return 1;
    }
    return 0;
}
