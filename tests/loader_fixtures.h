// Shared set-up of the loader tests: the small content tree under tests/data/loaders, and a
// clean slate in the tables the loaders write.
#pragma once
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "content/fighter_loader.h"
#include "shell/platform.h"
#include "sim/entity.h"

inline void enterLoaderFixtures() {
  platformHeadless = 1;
  ASSERT_EQ(chdir(BRAWLER_TEST_DATA "/loaders"), 0);
}

// Entities 0..last alive, everything above free.
inline void fillSlots(int last) {
  for (int e = 0; e < kEntityCount; ++e) entities[e].alive = e <= last ? 1 : 0;
}
