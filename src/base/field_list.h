// Records declared from a list of their fields: FIELD(type, name) once per field. The same
// list then drives whatever must visit every field (copying a world out, hashing it, naming
// the first field two worlds disagree on), so no field is left out of one of them.
#pragma once

#define BRAWLER_DECLARE_FIELD(type, name) type name{};
