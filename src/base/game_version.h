// The release this build is: one number for the whole game, set once in the build.
#pragma once

// "MAJOR.MINOR.PATCH". The online handshake compares its own protocol number, never this.
const char* gameVersion();
