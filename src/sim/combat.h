// Turning pending attacks into hits.
#pragma once

void resolveAttacks();
