#include <gtest/gtest.h>

#include "app/RingLogBuffer.h"

namespace {

CLogData LineOf(const std::string& text) {
  CLogData line;
  for (char c : text) line.Add(CLogData::Entry(static_cast<uint8_t>(c), CLogData::kReceived));
  return line;
}

std::string TextOf(const CLogData& line) {
  std::string s;
  for (int32_t i = 0; i < line.GetSize(); ++i) s += static_cast<char>(CLogData::Char(line[i]));
  return s;
}

TEST(RingLogBufferTest, FillsThenOverwritesTheOldestInPlace) {
  CRingLogBuffer ring;
  ASSERT_EQ(ring.Resize(3), 1);
  ring.Push(LineOf("a"));
  ring.Push(LineOf("bb"));
  EXPECT_EQ(ring.GetCount(), 2);
  EXPECT_EQ(TextOf(ring.At(0)), "a");
  EXPECT_EQ(TextOf(ring.At(1)), "bb");

  ring.Push(LineOf("ccc"));
  ring.Push(LineOf("d"));  // replaces "a"
  ring.Push(LineOf("e"));  // replaces "bb"
  EXPECT_EQ(ring.GetCount(), 3);
  EXPECT_EQ(TextOf(ring.At(0)), "ccc");
  EXPECT_EQ(TextOf(ring.At(1)), "d");
  EXPECT_EQ(TextOf(ring.At(2)), "e");
}

TEST(RingLogBufferTest, PushedLineIsACopy) {
  CRingLogBuffer ring;
  ASSERT_EQ(ring.Resize(2), 1);
  CLogData line = LineOf("xy");
  ring.Push(line);
  line.RemoveAll();
  EXPECT_EQ(TextOf(ring.At(0)), "xy");
}

TEST(RingLogBufferTest, ResizeEmptiesAndARingWithoutCapacityIgnoresPushes) {
  CRingLogBuffer ring;
  ASSERT_EQ(ring.Resize(2), 1);
  ring.Push(LineOf("a"));
  ASSERT_EQ(ring.Resize(4), 1);
  EXPECT_EQ(ring.GetCount(), 0);
  EXPECT_EQ(ring.GetCapacity(), 4);

  CRingLogBuffer none;
  none.Push(LineOf("a"));
  EXPECT_EQ(none.GetCount(), 0);
  EXPECT_EQ(none.Resize(-1), 0);
}

}  // namespace
