// The settings file's text: one "name value" line per setting, read and written.
#pragma once
#include <string>

// Every setting as a line, then the kept lines.
std::string formatSettings();
// Sets what each line names over the settings as they stand; a bad value leaves that setting
// at its default and prints "FILE:LINE: warning: NAME: what is wrong; the default is used" to
// standard error (`file` names the file in it). Unknown lines are kept, each with one warning
// "FILE:LINE: warning: NAME: no such setting; the line is kept"; a line starting with '#' is a
// comment, kept quietly.
void parseSettings(const std::string& text, const std::string& file);
