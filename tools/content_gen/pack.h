// Each writer puts one part of the content pack into the output folder given as root.
#pragma once

#include <string>

void writeFighters(const std::string& root);
void writeProps(const std::string& root);
void writeEffects(const std::string& root);
void writeFont(const std::string& root);
void writeInterface(const std::string& root);
void writeFrontEnd(const std::string& root);
void writeStages(const std::string& root);
void writeSounds(const std::string& root);
void writeMusic(const std::string& root);

// Not part of the pack: the desktop icon at every size of the icon theme, written under
// root/hicolor/ as the theme lays it out. Written only when named.
void writeIcons(const std::string& root);
// Not part of the pack: the web page's home-screen icons (icon-192.png, icon-512.png), written
// only when asked for by name ("webicons").
void writeWebIcons(const std::string& root);
