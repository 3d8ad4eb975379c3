// corvella:// links: which ones ask for what, and the exact refusal of every
// other one (it is all the log will say about it).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/control/control_url.h"

namespace corvella {
namespace {

constexpr const char* layoutID = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F";

struct Link {
  std::string url;
  ControlRequest request;
};

TEST(ControlURLTest, EachLinkBecomesItsRequest) {
  const GridLayoutRequest stored{*UUID::parse(layoutID)};
  const std::vector<Link> rows = {
      {"corvella://run?action=leftHalf", RunRequest{WindowAction::leftHalf}},
      // Scheme and request name in any case, as URLs treat them.
      {"CORVELLA://Run?action=nextThird", RunRequest{WindowAction::nextThird}},
      {"corvella://run/?action=undo#from-a-launcher", RunRequest{WindowAction::undo}},
      // Parameters the request does not use are left alone, empty pairs too.
      {"corvella://run?source=launcher&&action=tileAppRows", RunRequest{WindowAction::tileAppRows}},
      {"corvella://run?action=left%48alf", RunRequest{WindowAction::leftHalf}},
      {"corvella://grid?size=3x2", GridSizeRequest{3, 2}},
      {"corvella://grid?size=12X12", GridSizeRequest{12, 12}},
      {"corvella://grid?size=4%C3%973", GridSizeRequest{4, 3}},  // 4×3
      {"corvella://grid?size=1x1", GridSizeRequest{1, 1}},
      {"corvella://grid?id=e621e1f8-c36c-495a-93fc-0c247a3e6e5f", stored},
      {"corvella://settings", SettingsRequest{}},
  };
  for (const Link& row : rows) {
    const ParsedRequest parsed = parseControlURL(row.url);
    EXPECT_EQ(parsed.request, row.request) << row.url << ": " << parsed.error;
    EXPECT_EQ(parsed.error, "") << row.url;
  }
}

struct Refused {
  std::string url;
  std::string error;
};

TEST(ControlURLTest, EveryOtherLinkIsRefusedInOneSafeLine) {
  const std::string known = " (corvella://run, corvella://grid and corvella://settings are links)";
  const std::vector<Refused> rows = {
      {"corvella://run?action=LeftHalf", "unknown action \"LeftHalf\" (corvella list shows them)"},
      {"corvella://run?action=", "unknown action \"\" (corvella list shows them)"},
      {"corvella://run", "run needs an action, e.g. corvella://run?action=leftHalf"},
      {"corvella://run?Action=leftHalf",
       "run needs an action, e.g. corvella://run?action=leftHalf"},
      {"corvella://run?action=leftHalf&action=rightHalf", "\"action\" is given twice"},
      {"corvella://run?action=leftHalf%2",
       "malformed link: a % not followed by two hexadecimal digits"},
      {"corvella://run?action=%zzleftHalf",
       "malformed link: a % not followed by two hexadecimal digits"},
      // A decoded escape sequence is quoted back harmless.
      {"corvella://run?action=%1B%5B2J%0A", "unknown action \"?[2J?\" (corvella list shows them)"},
      {"corvella://grid?size=0x3",
       "grid size \"0x3\" out of range: columns and rows go from 1 to 12"},
      {"corvella://grid?size=13x99999999999",
       "grid size \"13x99999999999\" out of range: columns and rows go from 1 to 12"},
      {"corvella://grid?size=-1x2", "grid size \"-1x2\" is not COLUMNSxROWS"},
      {"corvella://grid?size=three", "grid size \"three\" is not COLUMNSxROWS"},
      {std::string("corvella://grid?size=3x2&id=") + layoutID,
       "grid takes a size or a layout identifier, not both"},
      {"corvella://grid?size=3x2&size=2x2", "\"size\" is given twice"},
      {"corvella://grid",
       "grid needs a size or a layout identifier, e.g. corvella://grid?size=3x2"},
      {"corvella://grid?id=latest", "\"latest\" is not a grid layout identifier"},
      // A link answers no one: list and status are the command line's.
      {"corvella://status", "unknown link \"corvella://status\"" + known},
      {"corvella://run/leftHalf", "unknown link \"corvella://run/leftHalf\"" + known},
      {"corvella://", "unknown link \"corvella://\"" + known},
      {"http://run?action=leftHalf", "not a corvella:// link: \"http://run?action=leftHalf\""},
      {"corvella:run?action=leftHalf", "not a corvella:// link: \"corvella:run?action=leftHalf\""},
      {"corvellax://run?action=leftHalf",
       "not a corvella:// link: \"corvellax://run?action=leftHalf\""},
      {"", "not a corvella:// link: \"\""},
  };
  for (const Refused& row : rows) {
    const ParsedRequest parsed = parseControlURL(row.url);
    EXPECT_FALSE(parsed.request.has_value()) << row.url;
    EXPECT_EQ(parsed.error, row.error) << row.url;
  }
}

TEST(ControlURLTest, ALinkIsAsLongAsARequestLineAtMost) {
  const std::string start = "corvella://run?action=maximize&padding=";
  const std::string longest = start + std::string(maxRequestBytes - 1 - start.size(), 'p');
  EXPECT_EQ(parseControlURL(longest).request, ControlRequest{RunRequest{WindowAction::maximize}});
  const ParsedRequest tooLong = parseControlURL(longest + "p");
  EXPECT_FALSE(tooLong.request.has_value());
  EXPECT_EQ(tooLong.error, "link longer than 4096 bytes");
  // A long refused link is quoted cut short, never whole.
  const ParsedRequest foreign = parseControlURL("https://" + std::string(200, 'a'));
  EXPECT_EQ(foreign.error, "not a corvella:// link: \"https://" + std::string(32, 'a') + "…\"");
}

}  // namespace
}  // namespace corvella
