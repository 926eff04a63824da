// Screens run on the shipped pack through the null platform: no pad attached, and nothing an
// earlier test queued left to be polled.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/null_platform.h"
#include "platform/platform.h"

// False when the test is to stop: a build without a PNG decoder (the caller skips), or a pack
// that cannot be entered (a failure, already recorded).
inline bool openShippedPack() {
  DecodedImage probe;
  if (!platformDecodeImage(BRAWLER_CONTENT_DIR "/gfx/interface/global.png", &probe)) return false;
  if (chdir(BRAWLER_CONTENT_DIR) != 0) {
    ADD_FAILURE() << "cannot enter " << BRAWLER_CONTENT_DIR;
    return false;
  }
  useNullPlatform(true);
  nullJoystickCount = 0;
  nullJoystickNames.clear();
  nullClearEvents();
  return true;
}
