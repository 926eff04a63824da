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
