#pragma once
// The five media files of the show, each made from nothing by one function
// that writes the finished file.

#include <string>

namespace assets {

void make_stage_music(const std::string& path);  // presenter/assets/stage_music.wav
void make_sky(const std::string& path);          // presenter/assets/sky.jpg
void make_rose(const std::string& path);         // presenter/assets/rose.ico
void make_cupid(const std::string& path);        // editor/assets/cupid.gif
void make_banner(const std::string& path);       // editor/assets/banner.gif

}  // namespace assets
