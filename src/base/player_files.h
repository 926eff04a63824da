// Where the files a player owns are kept: the freedesktop folders, each under "brawler".
#pragma once
#include <string>

// $XDG_DATA_HOME/brawler/NAME, or ~/.local/share/brawler/NAME when that is not set (or not an
// absolute path, which the freedesktop rules say to pass over). Empty when neither is known.
std::string playerDataFile(const std::string& name);
