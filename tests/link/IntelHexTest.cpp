// Intel HEX records and whole images, as the firmware dialog checks them
// before anything goes to the logger.
#include <gtest/gtest.h>

#include "link/IntelHex.h"
#include "tools/samples/HexImage.h"

using intelhex::IsValidImage;
using intelhex::ParseRecord;
using intelhex::Record;

TEST(IntelHex, ARecordDecodes) {
  Record r;
  ASSERT_TRUE(ParseRecord(":0300300002337A1E", &r));
  EXPECT_EQ(r.type, intelhex::kData);
  EXPECT_EQ(r.address, 0x0030);
  EXPECT_EQ(r.data, "\x02\x33\x7A");
  ASSERT_TRUE(ParseRecord(":020000040800f2", &r));  // lower-case digits
  EXPECT_EQ(r.type, intelhex::kExtendedLinear);
  EXPECT_EQ(r.data, std::string("\x08\x00", 2));
  EXPECT_TRUE(ParseRecord(":00000001FF", nullptr));
  EXPECT_TRUE(ParseRecord(HexRecord(3), nullptr));
}

TEST(IntelHex, DamagedRecordsAreRefused) {
  const char* const bad[] = {
      "",
      ":",
      "0300300002337A1E",    // no colon
      " :0300300002337A1E",  // something before it
      ":0300300002337A1F",   // checksum
      ":0400300002337A1E",   // byte count larger than the data
      ":0200300002337A1E",   // smaller
      ":0300300002337A1",    // a half pair
      ":03003000G2337A1E",   // not hex
      ":0300300002337A1E ",  // trailing blank
      ":00000006FA",         // unknown type
      ":0100000100FE",       // an end record with data
      ":0300000400000AEF",   // an extended address of three bytes
  };
  for (const char* line : bad) EXPECT_FALSE(ParseRecord(line, nullptr)) << '"' << line << '"';
}

TEST(IntelHex, WholeImages) {
  EXPECT_TRUE(IsValidImage(HexImage(40)));
  EXPECT_TRUE(IsValidImage(HexImage(3, "\n")));
  EXPECT_TRUE(IsValidImage(HexImage(3) + "\r\n\r\n"));          // blank lines after the end
  EXPECT_TRUE(IsValidImage(HexRecord(0) + "\r\n:00000001FF"));  // no line end at the very end

  std::string damaged = HexImage(40);
  damaged[damaged.size() / 2] ^= 0x01;  // one digit somewhere in the middle
  EXPECT_FALSE(IsValidImage(damaged));
  const std::string whole = HexImage(40);
  EXPECT_FALSE(IsValidImage(whole.substr(0, whole.size() / 2)));    // cut short: no end record
  EXPECT_FALSE(IsValidImage(HexImage(2) + HexRecord(5) + "\r\n"));  // a record after the end
  EXPECT_FALSE(IsValidImage(HexImage(2) + "garbage\r\n"));
  EXPECT_FALSE(IsValidImage(""));
  EXPECT_FALSE(IsValidImage("\r\n\r\n"));
}
