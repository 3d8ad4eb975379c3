// Request lines as a client may send them: each either parses to exactly one
// request or is refused with one line that names what is wrong.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "core/control/control_request.h"

namespace corvella {
namespace {

using ::testing::HasSubstr;

const UUID layoutID = *UUID::parse("E621E1F8-C36C-495A-93FC-0C247A3E6E5F");

struct Served {
  std::string line;
  ControlRequest request;
};

TEST(ControlRequestTest, EachRequestParsesFromItsLineAndIgnoresKeysItDoesNotUse) {
  const Served rows[] = {
      {R"({"request":"run","action":"leftHalf"})", RunRequest{WindowAction::leftHalf}},
      {R"({"action":"tileAppRows","request":"run","from":"a newer client"})",
       RunRequest{WindowAction::tileAppRows}},
      {"{\"request\":\"run\",\"action\":\"undo\"}\r", RunRequest{WindowAction::undo}},
      {R"(  { "request" : "grid", "columns" : 3, "rows" : 2 }  )", GridSizeRequest{3, 2}},
      {R"({"request":"grid","columns":12,"rows":1})", GridSizeRequest{12, 1}},
      {R"({"request":"grid","id":"e621e1f8-c36c-495a-93fc-0c247a3e6e5f"})",
       GridLayoutRequest{layoutID}},
      {R"({"request":"list","json":true})", ListRequest{}},
      {R"({"request":"status"})", StatusRequest{}},
      {R"({"request":"settings"})", SettingsRequest{}},
  };
  for (const Served& row : rows) {
    const ParsedRequest parsed = parseControlRequest(row.line);
    ASSERT_TRUE(parsed.request.has_value()) << row.line << ": " << parsed.error;
    EXPECT_EQ(*parsed.request, row.request) << row.line;
    EXPECT_EQ(parsed.error, "");
  }
}

struct Refused {
  std::string line;
  std::string error;
};

TEST(ControlRequestTest, WhatCannotBeServedIsRefusedWithOneLineSayingWhy) {
  const std::string malformed = "malformed request: one JSON object on one line expected";
  const std::string range = "grid size out of range: columns and rows go from 1 to 12";
  const Refused rows[] = {
      {"", malformed},
      {R"(["run","leftHalf"])", malformed},
      {R"({"request":"run","action":"leftHalf"} {"request":"status"})", malformed},
      {"{\"request\":\"run\",\"action\":\"left\xff\"}", malformed},
      {R"({"request":"run","deep":[[[[[1]]]]]})", malformed},
      {R"({"action":"leftHalf"})", "malformed request: no \"request\" name"},
      {R"({"request":7})", "malformed request: no \"request\" name"},
      {R"({"request":"fly"})", "unknown request \"fly\""},
      {R"({"request":"run"})", "run needs an action name"},
      {R"({"request":"run","action":16})", "run needs an action name"},
      {R"({"request":"run","action":"LeftHalf"})",
       "unknown action \"LeftHalf\" (corvella list shows them)"},
      {R"({"request":"grid"})", "grid needs a size (columns and rows) or a layout identifier"},
      {R"({"request":"grid","columns":0,"rows":3})", range},
      {R"({"request":"grid","columns":13,"rows":99999999999})", range},
      {R"({"request":"grid","columns":3})", range},
      {R"({"request":"grid","columns":3.0,"rows":2})", range},
      {R"({"request":"grid","columns":-1,"rows":2})", range},
      {R"({"request":"grid","columns":"3","rows":2})", range},
      {R"({"request":"grid","columns":18446744073709551615,"rows":2})", range},
      {R"({"request":"grid","columns":3,"rows":2,"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F"})",
       "grid takes a size or a layout identifier, not both"},
      {R"({"request":"grid","id":5})", "a grid layout identifier is a text"},
      {R"({"request":"grid","id":"3x2"})", "\"3x2\" is not a grid layout identifier"},
  };
  for (const Refused& row : rows) {
    const ParsedRequest parsed = parseControlRequest(row.line);
    EXPECT_FALSE(parsed.request.has_value()) << row.line;
    EXPECT_EQ(parsed.error, row.error) << row.line;
  }
}

TEST(ControlRequestTest, ALineIsAtMostFourKibibytesWithItsLineFeed) {
  const std::string request = R"({"request":"status"})";
  // 4095 bytes and the line feed make 4096: the longest line served.
  const std::string longest = request + std::string(maxRequestBytes - 1 - request.size(), ' ');
  EXPECT_TRUE(parseControlRequest(longest).request.has_value());
  const ParsedRequest tooLong = parseControlRequest(longest + " ");
  EXPECT_FALSE(tooLong.request.has_value());
  EXPECT_EQ(tooLong.error, "request longer than 4096 bytes");
  EXPECT_EQ(parseControlRequest(std::string(1 << 20, '{')).error, tooLong.error);
}

TEST(ControlRequestTest, WhatAClientSentIsQuotedOnlyAsPrintableTextOfFortyCharacters) {
  EXPECT_EQ(parseControlRequest(R"({"request":"run","action":"\u001b]0;owned\u0007"})").error,
            "unknown action \"?]0;owned?\" (corvella list shows them)");
  EXPECT_EQ(quotedForAnswer("say \"hi\"\n"), "say ?hi??");
  EXPECT_EQ(quotedForAnswer("Größe"), "Gr????e");  // two bytes each
  EXPECT_EQ(quotedForAnswer(std::string(40, 'a')), std::string(40, 'a'));
  EXPECT_EQ(quotedForAnswer(std::string(41, 'a')), std::string(40, 'a') + "…");
}

TEST(ControlRequestTest, EveryRequestEncodesToALineThatParsesBackToIt) {
  const ControlRequest requests[] = {RunRequest{WindowAction::previousDisplay},
                                     GridSizeRequest{4, 3},
                                     GridLayoutRequest{layoutID},
                                     ListRequest{},
                                     StatusRequest{},
                                     SettingsRequest{}};
  for (const ControlRequest& request : requests) {
    const std::string line = encodeControlRequest(request);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_EQ(parseControlRequest(line).request, request) << line;
  }
  EXPECT_EQ(encodeControlRequest(GridSizeRequest{3, 2}),
            R"({"request":"grid","columns":3,"rows":2})");
  EXPECT_EQ(encodeControlRequest(RunRequest{WindowAction::leftHalf}),
            R"({"request":"run","action":"leftHalf"})");
  EXPECT_EQ(encodeControlRequest(GridLayoutRequest{layoutID}),
            R"({"request":"grid","id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F"})");
}

TEST(ControlRequestTest, GridSizesAreColumnsTimesRowsFromOneToTwelve) {
  EXPECT_EQ(parseGridSize("3x2"), (GridSizeRequest{3, 2}));
  EXPECT_EQ(parseGridSize("3X2"), (GridSizeRequest{3, 2}));
  EXPECT_EQ(parseGridSize("3×2"), (GridSizeRequest{3, 2}));
  EXPECT_EQ(parseGridSize("1x1"), (GridSizeRequest{1, 1}));
  EXPECT_EQ(parseGridSize("12x12"), (GridSizeRequest{12, 12}));
  EXPECT_EQ(parseGridSize("04x03"), (GridSizeRequest{4, 3}));
  for (const char* text : {"0x3", "3x0", "13x1", "1x13", "13x99999999999", "99999999999999999999x1",
                           "3x", "x2", "3x2x1", "-3x2", "+3x2", " 3x2", "3 x 2", "3*2", "3", ""}) {
    EXPECT_EQ(parseGridSize(text), std::nullopt) << text;
  }
  EXPECT_TRUE(looksLikeGridSize("13x99999999999"));
  EXPECT_TRUE(looksLikeGridSize("0×3"));
  EXPECT_FALSE(looksLikeGridSize("E621E1F8-C36C-495A-93FC-0C247A3E6E5F"));
  EXPECT_FALSE(looksLikeGridSize("3x"));
  EXPECT_FALSE(looksLikeGridSize("ax2"));
}

}  // namespace
}  // namespace corvella
