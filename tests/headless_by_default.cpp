// The game starts on the real platform; the test program starts on the null one, so that logic
// tests need no window. Tests that want the real window call useNullPlatform(false) themselves.
#include "platform/null_platform.h"

namespace {
const bool headlessForTests = (useNullPlatform(true), true);
}
