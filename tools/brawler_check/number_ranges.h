// Finite numbers past what the game's field for them holds: the game keeps them in range
// (held at the edge of 32 bits, or the low 16 bits of a position), which is never what an author
// who wrote them meant.
#pragma once
#include <string>

// Warns about each number on the line that its field cannot hold as written, naming the value
// the game takes instead. Lines of any content format; the keyword picks the fields.
void checkNumberRanges(const std::string& path, int line, const std::string& text);
// The written number, or false when it reads as 0 for another reason (not a number, not
// finite), which the line's own checks report.
bool writtenNumber(const std::string& text, double* value);
