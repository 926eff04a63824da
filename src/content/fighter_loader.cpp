#include "content/fighter_loader.h"
std::string typeNames[kTypeSlots];
int32_t typeKinds[kTypeSlots];
Texture typeTextures[kTypeSlots];
int32_t typeCount = 0;
Texture playerTextures[4][6];
void loadPlayers() {}
void loadEntityType(const std::string&, double) {}
void placeEntity(double, double, double) {}
void applyTypeOffsets() {}
void loadEffectsType() {}
void readStats(int) {}
void spawnEntity(int16_t, int16_t, int, const std::string&) {}
