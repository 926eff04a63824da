#include "screens/screens.h"
void runCharacterSelect() {}
