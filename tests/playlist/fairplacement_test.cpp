// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/fairplacement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tunedex {
namespace {

struct PlacementCase {
  const char* what;
  std::vector<std::string> singers;
  int current;
  std::string singer;
  ItemPlacement placement;
  std::size_t expected;
};

class PlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementTest, PlacesTheNewItem) {
  const PlacementCase& c = GetParam();
  EXPECT_EQ(PlacementIndex(c.singers, c.current, c.singer, c.placement), c.expected) << c.what;
}

using enum ItemPlacement;
const std::vector<std::string> kRotation = {"A", "B", "C", "A", "B"};

INSTANTIATE_TEST_SUITE_P(
    Rules, PlacementTest,
    ::testing::Values(
        PlacementCase{"at the end", kRotation, 1, "D", AtEnd, 5},
        PlacementCase{"next after the current item", kRotation, 1, "D", Next, 2},
        PlacementCase{"next with nothing current goes last", kRotation, -1, "D", Next, 5},
        PlacementCase{"next on an empty list", {}, -1, "D", Next, 0},
        PlacementCase{"fair: a newcomer closes the first round", kRotation, -1, "D", Fair, 3},
        PlacementCase{"fair: one song so far waits for round two", kRotation, -1, "C", Fair, 5},
        PlacementCase{"fair: two songs so far go to round three (none: end)", kRotation, -1, "A",
                      Fair, 5},
        PlacementCase{
            "fair counts from the current item on", {"A", "B", "A", "C", "B"}, 2, "D", Fair, 5},
        PlacementCase{
            "fair counts all without a current item", {"A", "B", "A", "C", "B"}, -1, "D", Fair, 4},
        PlacementCase{"fair: items before the current one do not count", kRotation, 3, "C", Fair,
                      5},
        PlacementCase{
            "fair: newcomer when one singer has many", {"A", "A", "A", "B"}, -1, "C", Fair, 4},
        PlacementCase{"fair: a second round exists", {"A", "B", "A", "B", "A"}, -1, "C", Fair, 2},
        PlacementCase{"fair: a singer with one goes after the second round",
                      {"A", "B", "C", "A", "B", "A"},
                      -1,
                      "C",
                      Fair,
                      5},
        PlacementCase{
            "fair: names compare exactly", {"Ann", "ann", "Bob", "Ann"}, -1, "ann", Fair, 4},
        PlacementCase{
            "fair: empty names are singers of their own", {"", "", "A", "A"}, -1, "", Fair, 3},
        PlacementCase{"fair: a new empty name is a newcomer", {"A", "", "A"}, -1, "", Fair, 2},
        PlacementCase{"fair on an empty list", {}, -1, "A", Fair, 0},
        PlacementCase{
            "fair with a current row past the end counts all", {"A", "B"}, 7, "C", Fair, 2}));

}  // namespace
}  // namespace tunedex
