// Text fields of the global records: they must behave as plain strings whatever the record
// goes through (copies from the type tables, overwrites, moves).
#include <gtest/gtest.h>

#include <string>

#include "content/record_string.h"
#include "content/sprite_set.h"

namespace {

TEST(RecordString, ZeroedFieldReadsAsTheEmptyString) {
  SpriteSet sprite{};
  EXPECT_TRUE(sprite.animation.empty());
  EXPECT_EQ(sprite.animation, "");
  EXPECT_EQ(sprite.animation.str(), std::string());
}

TEST(RecordString, CopiesAreIndependent) {
  SpriteSet type{};
  type.animation = "STAND";
  SpriteSet spawned{};
  spawned = type;  // how a spawn takes its type's sprite set
  type.animation = "WALK";
  EXPECT_EQ(spawned.animation, "STAND");
  EXPECT_EQ(type.animation, "WALK");
  SpriteSet copy(spawned);
  spawned.animation = std::string("JUMP");
  EXPECT_EQ(copy.animation, "STAND");
}

TEST(RecordString, OverwritesAndSelfAssignmentKeepTheText) {
  RecordString a;
  a = "a long animation name that no short buffer would hold";
  a = a;
  EXPECT_EQ(a, "a long animation name that no short buffer would hold");
  a = "";
  EXPECT_TRUE(a.empty());
  a = "FALL";
  RecordString b(a);
  EXPECT_EQ(b, "FALL");
  EXPECT_EQ(a, b) << "equal texts compare equal by their number";
  b = "LAND";
  EXPECT_EQ(a, "FALL");
  EXPECT_NE(b, "FALL");
}

}  // namespace
