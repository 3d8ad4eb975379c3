#include "core/grids/uuid.h"
#include "uuid_printer.h"

#include <gtest/gtest.h>

#include <string>

namespace corvella {
namespace {

constexpr UUID sample{{0xE6, 0x21, 0xE1, 0xF8, 0xC3, 0x6C, 0x49, 0x5A, 0x93, 0xFC, 0x0C, 0x24, 0x7A,
                       0x3E, 0x6E, 0x5F}};

TEST(UUIDTest, TextIsUpperCaseInFiveGroups) {
  EXPECT_EQ(sample.uuidString(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
  EXPECT_EQ(UUID{}.uuidString(), "00000000-0000-0000-0000-000000000000");
}

TEST(UUIDTest, ParsesEitherLetterCase) {
  EXPECT_EQ(UUID::parse("E621E1F8-C36C-495A-93FC-0C247A3E6E5F"), sample);
  EXPECT_EQ(UUID::parse("e621e1f8-c36c-495a-93fc-0c247a3e6e5f"), sample);
  EXPECT_EQ(UUID::parse("e621E1f8-C36c-495A-93fC-0c247A3e6E5f"), sample);
}

TEST(UUIDTest, RefusesEverythingButTheExactForm) {
  const char* const refused[] = {
      "",
      "E621E1F8-C36C-495A-93FC-0C247A3E6E5",    // one digit short
      "E621E1F8-C36C-495A-93FC-0C247A3E6E5F0",  // one digit long
      "E621E1F8C36C-495A-93FC-0C247A3E6E5F0",   // hyphen moved
      "E621E1F8-C36C-495A-93FC_0C247A3E6E5F",   // not a hyphen
      "E621E1F8-C36C-495A-93FC-0C247A3E6E5G",   // not hexadecimal
      "{621E1F8-C36C-495A-93FC-0C247A3E6E5}",
      "E621E1F8 C36C 495A 93FC 0C247A3E6E5F",
      "E621E1F8C36C495A93FC0C247A3E6E5F",
      "+621E1F8-C36C-495A-93FC-0C247A3E6E5F",
      " E621E1F8-C36C-495A-93FC-0C247A3E6E5",
      "E621E1F8-C36C-495A-93FC-0C247A3E6E5\n",
  };
  for (const char* text : refused) EXPECT_EQ(UUID::parse(text), std::nullopt) << text;
  EXPECT_EQ(UUID::parse(std::string_view("E621E1F8-C36C-495A-93FC-0C247A3E6E5\0", 36)),
            std::nullopt);
}

TEST(UUIDTest, RandomIsVersionFourWithTheStandardVariant) {
  const UUID first = UUID::random();
  const UUID second = UUID::random();
  EXPECT_NE(first, second);
  for (const UUID& uuid : {first, second}) {
    EXPECT_EQ(uuid.bytes[6] >> 4, 4);
    EXPECT_EQ(uuid.bytes[8] & 0xC0, 0x80);
    const std::string text = uuid.uuidString();
    EXPECT_EQ(text[14], '4');
    EXPECT_EQ(UUID::parse(text), uuid);
  }
}

}  // namespace
}  // namespace corvella
