#include "screens/screens.h"
void runOverworld() {}
