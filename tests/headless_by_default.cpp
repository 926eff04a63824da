// The game starts on the real platform; the test program starts on the null one, so that logic
// tests need no window. Tests that want the real window set platformHeadless to 0 themselves.
#include "shell/platform.h"

namespace {
const bool headlessForTests = (platformHeadless = 1, true);
}
