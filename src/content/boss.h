// Which fighter types are bosses. A type is one when its script's statistics carry a line
//   BOSS NAME ...
// whose fields after the keyword are the name the arcade shows on the boss's card. `brawler`
// passes the line over as a remark, so a boss fights there as any opponent does.
#pragma once
#include <string>

#include "content/script_lines.h"

constexpr char kBossKeyword[] = "BOSS";

// The boss's name, or "" when the script marks no boss. Only the statistics are read (up to the
// first empty line): a later script read over a longer one keeps the old lines past its end.
std::string bossNameOf(const ScriptRef& script);
