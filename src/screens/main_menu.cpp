#include "screens/screens.h"
void runMainMenu() {}
