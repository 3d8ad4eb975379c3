#include "core/grids/uuid.h"

#include <gtest/gtest.h>

#include "uuid_printer.h"

namespace corvella {
namespace {

constexpr UUID sample{{0xE6, 0x21, 0xE1, 0xF8, 0xC3, 0x6C, 0x49, 0x5A, 0x93, 0xFC, 0x0C, 0x24, 0x7A,
                       0x3E, 0x6E, 0x5F}};

TEST(UUIDTest, UpperCaseTextParsedBackInEitherCase) {
  EXPECT_EQ(sample.uuidString(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
  EXPECT_EQ(UUID::parse("E621E1F8-C36C-495A-93FC-0C247A3E6E5F"), sample);
  EXPECT_EQ(UUID::parse("e621E1f8-c36c-495a-93fC-0c247a3e6e5f"), sample);
  for (const char* refused :
       {"", "E621E1F8-C36C-495A-93FC-0C247A3E6E5", "E621E1F8C36C-495A-93FC-0C247A3E6E5F0",
        "E621E1F8-C36C-495A-93FC_0C247A3E6E5F", "E621E1F8-C36C-495A-93FC-0C247A3E6E5G",
        "+621E1F8-C36C-495A-93FC-0C247A3E6E5F", "E621E1F8C36C495A93FC0C247A3E6E5F"}) {
    EXPECT_EQ(UUID::parse(refused), std::nullopt) << refused;
  }
}

TEST(UUIDTest, RandomIsVersionFourWithTheStandardVariant) {
  const UUID uuid = UUID::random();
  EXPECT_NE(uuid, UUID::random());
  EXPECT_EQ(uuid.bytes[6] >> 4, 4);
  EXPECT_EQ(uuid.bytes[8] & 0xC0, 0x80);
  EXPECT_EQ(UUID::parse(uuid.uuidString()), uuid);
}

}  // namespace
}  // namespace corvella
