#include "pack.h"
void writeMusic(const std::string&) {}
void writeFrontEnd(const std::string&) {}
