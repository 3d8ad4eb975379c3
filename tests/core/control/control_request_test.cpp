#include <gtest/gtest.h>

#include "core/control/control_request.h"
#include "core/control/control_url.h"

namespace corvella {
namespace {

const UUID layoutID = *UUID::parse("E621E1F8-C36C-495A-93FC-0C247A3E6E5F");

// A line and what it parses to: its request and no error, or none and its error.
struct Row {
  Row(std::string text, ControlRequest served) : line(std::move(text)), request(served) {}
  Row(std::string text, std::string why) : line(std::move(text)), error(std::move(why)) {}
  std::string line;
  std::optional<ControlRequest> request;
  std::string error;
};
void expectRows(ParsedRequest (*parse)(std::string_view), const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    const ParsedRequest parsed = parse(row.line);
    EXPECT_EQ(parsed.request, row.request) << row.line << ": " << parsed.error;
    EXPECT_EQ(parsed.error, row.error) << row.line;
  }
}

// Keys a request does not use are ignored; what cannot be served is refused
// with one line saying why.
TEST(ControlRequestTest, EachLineOrLinkParsesToItsRequestOrOneSafeLineOfFault) {
  const std::string malformed = "malformed request: one JSON object on one line expected";
  const std::string range = "grid size out of range: columns and rows go from 1 to 12";
  expectRows(
      parseControlRequest,
      {
          {R"({"request":"run","action":"leftHalf"})", RunRequest{WindowAction::leftHalf}},
          {R"({"action":"tileAppRows","request":"run","from":"a newer client"})",
           RunRequest{WindowAction::tileAppRows}},
          {"{\"request\":\"run\",\"action\":\"undo\"}\r", RunRequest{WindowAction::undo}},
          {R"(  { "request" : "grid", "columns" : 3, "rows" : 2 }  )", GridSizeRequest{3, 2}},
          {R"({"request":"grid","columns":1,"rows":12})", GridSizeRequest{1, 12}},
          {R"({"request":"grid","id":"e621e1f8-c36c-495a-93fc-0c247a3e6e5f"})",
           GridLayoutRequest{layoutID}},
          {R"({"request":"list","json":true})", ListRequest{}},
          {R"({"request":"status"})", StatusRequest{}},
          {R"({"request":"settings"})", SettingsRequest{}},
          {"", malformed},
          {R"(["run","leftHalf"])", malformed},
          {"{\"request\":\"run\",\"action\":\"left\xff\"}", malformed},
          {R"({"request":"run","deep":[[[[[1]]]]]})", malformed},
          {R"({"action":"leftHalf"})", "malformed request: no \"request\" name"},
          {R"({"request":"fly"})", "unknown request \"fly\""},
          {R"({"request":"run"})", "run needs an action name"},
          {R"({"request":"run","action":"LeftHalf"})",
           "unknown action \"LeftHalf\" (corvella list shows them)"},
          {R"({"request":"grid"})", "grid needs a size (columns and rows) or a layout identifier"},
          {R"({"request":"grid","columns":0,"rows":3})", range},
          {R"({"request":"grid","columns":3})", range},
          {R"({"request":"grid","columns":"3","rows":2})", range},
          {R"({"request":"grid","columns":18446744073709551615,"rows":2})", range},
          {R"({"request":"grid","columns":3,"rows":2,"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F"})",
           "grid takes a size or a layout identifier, not both"},
          {R"({"request":"grid","id":5})", "a grid layout identifier is a text"},
          {R"({"request":"grid","id":"3x2"})", "\"3x2\" is not a grid layout identifier"},
      });
  const std::string status = R"({"request":"status"})";
  // 4095 bytes and the line feed make 4096: the longest line served.
  const std::string longest = status + std::string(maxRequestBytes - 1 - status.size(), ' ');
  EXPECT_TRUE(parseControlRequest(longest + "\r").request.has_value());  // CR is not counted
  EXPECT_EQ(parseControlRequest(longest + " ").error, "request longer than 4096 bytes");
  // What a client sent is quoted only as printable text of forty characters.
  EXPECT_EQ(parseControlRequest(R"({"request":"run","action":"\u001b]0;owned\u0007\u007f"})").error,
            "unknown action \"?]0;owned??\" (corvella list shows them)");
  EXPECT_EQ(quotedForAnswer("Größe"), "Gr????e");  // two bytes each
  EXPECT_EQ(quotedForAnswer(std::string(41, 'a')), std::string(40, 'a') + "…");
  for (const ControlRequest& request : std::vector<ControlRequest>{
           RunRequest{WindowAction::previousDisplay}, GridSizeRequest{4, 3},
           GridLayoutRequest{layoutID}, ListRequest{}, StatusRequest{}, SettingsRequest{}}) {
    const std::string line = encodeControlRequest(request);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_EQ(parseControlRequest(line).request, request) << line;
  }
  EXPECT_EQ(encodeControlRequest(GridSizeRequest{3, 2}),
            R"({"request":"grid","columns":3,"rows":2})");
  EXPECT_EQ(encodeControlRequest(GridLayoutRequest{layoutID}),
            R"({"request":"grid","id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F"})");
  // Grid sizes are columns times rows from one to twelve.
  for (const char* text : {"3x2", "3X2", "3×2", "03x02"}) {
    EXPECT_EQ(parseGridSize(text), (GridSizeRequest{3, 2})) << text;
  }
  EXPECT_TRUE(parseGridSize("12x12") == (GridSizeRequest{12, 12}) &&
              parseGridSize("1x1") == (GridSizeRequest{1, 1}));
  for (const char* text : {"0x3", "3x0", "13x1", "1x13", "99999999999999999999x1", "3x", "x2",
                           "3x2x1", "-3x2", " 3x2", "3*2", ""}) {
    EXPECT_EQ(parseGridSize(text), std::nullopt) << text;
  }
  EXPECT_TRUE(looksLikeGridSize("13x99999999999") && looksLikeGridSize("0×3"));
  for (const char* text : {"E621E1F8-C36C-495A-93FC-0C247A3E6E5F", "3x", "ax2"}) {
    EXPECT_FALSE(looksLikeGridSize(text)) << text;
  }
  const std::string known = " (corvella://run, corvella://grid and corvella://settings are links)";
  expectRows(
      parseControlURL,
      {
          {"corvella://run?action=leftHalf", RunRequest{WindowAction::leftHalf}},
          // Scheme and request name in any case, as URLs treat them.
          {"CORVELLA://Run?action=nextThird", RunRequest{WindowAction::nextThird}},
          {"corvella://run/?action=undo#from-a-launcher", RunRequest{WindowAction::undo}},
          // Parameters the request does not use are left alone, empty pairs too.
          {"corvella://run?source=launcher&&action=tileAppRows",
           RunRequest{WindowAction::tileAppRows}},
          {"corvella://run?action=left%48alf", RunRequest{WindowAction::leftHalf}},
          {"corvella://grid?size=3x2", GridSizeRequest{3, 2}},
          {"corvella://grid?size=4%C3%973", GridSizeRequest{4, 3}},  // 4×3
          {"corvella://grid?id=e621e1f8-c36c-495a-93fc-0c247a3e6e5f", GridLayoutRequest{layoutID}},
          {"corvella://settings", SettingsRequest{}},
          {"corvella://run?action=LeftHalf",
           "unknown action \"LeftHalf\" (corvella list shows them)"},
          {"corvella://run", "run needs an action, e.g. corvella://run?action=leftHalf"},
          {"corvella://run?action=leftHalf&action=rightHalf", "\"action\" is given twice"},
          {"corvella://run?action=leftHalf%2",
           "malformed link: a % not followed by two hexadecimal digits"},
          // A decoded escape sequence is quoted back harmless.
          {"corvella://run?action=%1B%5B2J%0A",
           "unknown action \"?[2J?\" (corvella list shows them)"},
          {"corvella://grid?size=0x3",
           "grid size \"0x3\" out of range: columns and rows go from 1 to 12"},
          {"corvella://grid?size=-1x2", "grid size \"-1x2\" is not COLUMNSxROWS"},
          {"corvella://grid?size=3x2&id=" + layoutID.uuidString(),
           "grid takes a size or a layout identifier, not both"},
          {"corvella://grid",
           "grid needs a size or a layout identifier, e.g. corvella://grid?size=3x2"},
          {"corvella://grid?id=latest", "\"latest\" is not a grid layout identifier"},
          // A link answers no one: list and status are the command line's.
          {"corvella://status", "unknown link \"corvella://status\"" + known},
          {"http://run?action=leftHalf", "not a corvella:// link: \"http://run?action=leftHalf\""},
          {"", "not a corvella:// link: \"\""},
      });
  const std::string start = "corvella://run?action=maximize&padding=";
  const std::string longLink = start + std::string(maxRequestBytes - 1 - start.size(), 'p');
  EXPECT_EQ(parseControlURL(longLink).request, ControlRequest{RunRequest{WindowAction::maximize}});
  EXPECT_EQ(parseControlURL(longLink + "p").error, "link longer than 4096 bytes");
  // A long refused link is quoted cut short, never whole.
  EXPECT_EQ(parseControlURL("https://" + std::string(200, 'a')).error,
            "not a corvella:// link: \"https://" + std::string(32, 'a') + "…\"");
}

}  // namespace
}  // namespace corvella
