// A fingerprint of the world after a tick: equal fingerprints, equal worlds as far as a replay
// can tell.
#pragma once
#include <cstdint>

// Over every live entity's number, kind, type, position, velocities, animation, script line,
// frame, hit points, player and AI state and AI timer; then the camera, the screen shake and
// the random generator's whole state.
uint64_t worldDigest();
