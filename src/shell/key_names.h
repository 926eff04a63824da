// Keys by name, for a player's settings file and the options screen: "z", "up", "f11".
#pragma once
#include <string>

// The name of key symbol `key`: its own character for a printable key, a word for the rest, or
// "#" and its number when it has no name. "" for a symbol outside 1..322.
std::string keyName(int key);
// The symbol a name keyName gives stands for; 0 when no key has that name.
int keyNamed(const std::string& name);
