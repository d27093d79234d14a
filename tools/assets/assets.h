#pragma once
// The five media files of the show and the two programs' icons, each made
// from nothing by one function that writes the finished file.

#include <string>

namespace assets {

void make_stage_music(const std::string& path);     // presenter/assets/stage_music.wav
void make_sky(const std::string& path);             // presenter/assets/sky.jpg
void make_rose(const std::string& path);            // presenter/assets/rose.ico
void make_cupid(const std::string& path);           // editor/assets/cupid.gif
void make_banner(const std::string& path);          // editor/assets/banner.gif
void make_presenter_icon(const std::string& path);  // presenter/assets/presenter.ico
void make_editor_icon(const std::string& path);     // editor/assets/editor.ico

}  // namespace assets
