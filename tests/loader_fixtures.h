// Shared set-up of the loader tests: the small content tree under tests/data/loaders, and a
// clean slate in the tables the loaders write.
#pragma once
#include <unistd.h>

#include <gtest/gtest.h>

#include "content/fighter_loader.h"
#include "shell/platform.h"
#include "sim/entity.h"

// A missing image ends the program in the middle of a test: where this build cannot decode the fixture sheets, the loader tests report themselves skipped instead.
#define ENTER_LOADER_FIXTURES()                                                          \
  do {                                                                                   \
    platformHeadless = 1;                                                                \
    ASSERT_EQ(chdir(BRAWLER_TEST_DATA "/loaders"), 0);                                   \
    DecodedImage probe;                                                                  \
    if (!platformDecodeImage("gfx/entities/hero.png", &probe)) GTEST_SKIP() << "no PNG decoder"; \
  } while (0)

// Entities 0..last alive, everything above free.
inline void fillSlots(int last) {
  for (int e = 0; e < kEntityCount; ++e) entities[e].alive = e <= last ? 1 : 0;
}
