// The four files of a fighter, prop or effect type: script, sheet image, frame list, offsets.
#pragma once
#include <string>

#include "script_check.h"

enum EntitySource { kPlayerFiles, kStageTypeFiles };

// Players' sheets end in ".png", stage types' and the effects type's in ".PNG".
void checkEntityFiles(const std::string& name, EntitySource source, ScriptRole role,
                      const std::string& whatLoadsIt);
