// Fighter, prop, effect and marker scripts: statistics, animation blocks and the frames they show.
#pragma once
#include <string>

#include "sheets.h"

enum ScriptRole { kRoleFighter, kRoleObject, kRoleEffects, kRoleMarker };

// Checks the script at scriptPath as the game uses it in the given role, and the frames it shows
// against the sheet cut by sprPath. Each script is checked once per role.
// Empties the scripts checked, for a new content folder.
void forgetScripts();
void checkScript(const std::string& scriptPath, ScriptRole role, const SheetInfo& sheet,
                 const std::string& sprPath, const std::string& whatLoadsIt);
