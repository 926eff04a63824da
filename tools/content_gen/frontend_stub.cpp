#include "pack.h"
void writeFrontEnd(const std::string&) {}
