// The desktop's pictures folder, where screenshots go.
#pragma once
#include <string>

// Found as xdg-user-dir finds it: $XDG_PICTURES_DIR, else the XDG_PICTURES_DIR line of
// $XDG_CONFIG_HOME/user-dirs.dirs (~/.config/user-dirs.dirs), else ~/Pictures. Empty, with why, when
// there is no home to look in.
std::string picturesFolder(std::string& why);
