#include <gtest/gtest.h>

#include "sim/RecordRing.h"

namespace sim {
namespace {

TEST(RecordRing, NumbersWrapAfter99999) {
  RecordRing ring;
  ring.Fill(99990, 16, 1700000000, 600);
  EXPECT_EQ(ring.FirstNumber(), 99990);
  EXPECT_EQ(ring.LastNumber(), 5);
  EXPECT_EQ(ring.Count(), 16);
  EXPECT_TRUE(ring.Holds(99999));
  EXPECT_TRUE(ring.Holds(0));
  EXPECT_FALSE(ring.Holds(6));
  EXPECT_FALSE(ring.Holds(99989));

  const std::vector<int> all = ring.Select(99990, 16);
  ASSERT_EQ(all.size(), 16u);
  EXPECT_EQ(all.front(), 99990);
  EXPECT_EQ(all[9], 99999);
  EXPECT_EQ(all[10], 0);
  EXPECT_EQ(all.back(), 5);
  EXPECT_EQ(ring.Line(0).substr(0, 6), "00000,");
}

TEST(RecordRing, SelectKeepsOnlyHeldNumbersOfTheWindow) {
  RecordRing ring;
  ring.Fill(10, 11, 1700000000, 60);  // 10..20
  EXPECT_EQ(ring.Select(15, 100), (std::vector<int>{15, 16, 17, 18, 19, 20}));
  EXPECT_EQ(ring.Select(5, 8), (std::vector<int>{10, 11, 12}));
  EXPECT_TRUE(ring.Select(30, 5).empty());
  EXPECT_TRUE(ring.Select(-1, 5).empty());
  EXPECT_TRUE(ring.Select(10, 0).empty());
}

TEST(RecordRing, FullMemoryDropsTheOldestAndClearRestartsAtOne) {
  RecordRing ring(10);
  ring.Fill(99995, 10, 1000000, 60);
  const std::string newest = ring.Line(4);
  ring.Append(1000060);
  ring.Append(1000120);
  EXPECT_EQ(ring.Count(), 10);
  EXPECT_EQ(ring.FirstNumber(), 99997);
  EXPECT_EQ(ring.LastNumber(), 6);
  EXPECT_FALSE(ring.Holds(99996));
  EXPECT_EQ(ring.Line(4), newest);  // content stays with its record
  EXPECT_NE(ring.Line(5), ring.Line(6));

  ring.Clear();
  EXPECT_EQ(ring.Count(), 0);
  EXPECT_EQ(ring.FirstNumber(), 0);
  EXPECT_EQ(ring.LastNumber(), 0);
  EXPECT_EQ(ring.Line(0), "");
  ring.Append(2000000);
  EXPECT_EQ(ring.FirstNumber(), 1);
  EXPECT_EQ(ring.LastNumber(), 1);
}

TEST(RecordRing, AFullRingHoldsEveryNumberAndKeepsRolling) {
  RecordRing ring;
  ring.Fill(5, RecordRing::kNumbers, 1700000000, 60);
  EXPECT_EQ(ring.Count(), RecordRing::kNumbers);
  EXPECT_EQ(ring.FirstNumber(), 5);
  EXPECT_EQ(ring.LastNumber(), 4);  // the first follows the last
  const std::vector<int> all = ring.Select(5, RecordRing::kNumbers);
  ASSERT_EQ(all.size(), static_cast<size_t>(RecordRing::kNumbers));
  EXPECT_EQ(all.front(), 5);
  EXPECT_EQ(all.back(), 4);
  EXPECT_EQ(ring.Line(4).substr(0, 6), "00004,");

  ring.Append(1700000060);  // the newest takes the oldest's number
  EXPECT_EQ(ring.Count(), RecordRing::kNumbers);
  EXPECT_EQ(ring.FirstNumber(), 6);
  EXPECT_EQ(ring.LastNumber(), 5);
  EXPECT_NE(ring.Line(5), "");
}

TEST(RecordRing, LineIsDeterministicCsv) {
  RecordRing a;
  RecordRing b;
  a.Fill(1, 3, 1709647629, 600);  // newest at 24/03/05 14:07:09
  b.Fill(1, 3, 1709647629, 600);
  EXPECT_EQ(a.Line(3), b.Line(3));
  EXPECT_EQ(a.Line(3).substr(0, 24), "00003,24/03/05 14:07:09,");
  EXPECT_EQ(a.Line(2).substr(0, 24), "00002,24/03/05 13:57:09,");
}

}  // namespace
}  // namespace sim
