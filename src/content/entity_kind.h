// What a type's entities are, as its LOADENTITY line says: props, fighters or effects.
#pragma once

enum EntityKind { kKindObject = 0, kKindFighter = 1, kKindEffect = 2 };
