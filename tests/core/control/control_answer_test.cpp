// The answer line: what the daemon writes and what the client accepts.
#include <gtest/gtest.h>

#include <string>

#include "core/control/control_answer.h"

namespace corvella {
namespace {

TEST(ControlAnswerTest, AnAnswerIsOneLineOfJsonWithItsFieldsInOrder) {
  const ControlAnswer answer{ExitStatus::failed, "center: 초점 창 없음\n",
                             "center: no focused window", nullptr};
  const std::string line = encodeControlAnswer(answer);
  EXPECT_EQ(line,
            "{\"exit\":1,\"output\":\"center: 초점 창 없음\\n\",\"error\":\"center: no focused "
            "window\",\"data\":null}");
  EXPECT_EQ(decodeControlAnswer(line), answer);
}

TEST(ControlAnswerTest, DataTravelsWithTheAnswer) {
  ControlAnswer answer;
  answer.output = "Corvella 0.1.0 is running (process 9).\n";
  answer.data = {{"running", true},
                 {"refused", nlohmann::json::array({{{"action", "nextThird"}}})}};
  EXPECT_EQ(decodeControlAnswer(encodeControlAnswer(answer)), answer);
}

TEST(ControlAnswerTest, BytesThatAreNotUtf8BecomeReplacementCharacters) {
  // A window title can hold any bytes; the answer stays valid JSON.
  ControlAnswer answer;
  answer.output =
      "leftHalf\n  OK 목표=(0,0 720×900) 결과=(0,0 720×900) a\xff"
      "b\n";
  const auto decoded = decodeControlAnswer(encodeControlAnswer(answer));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->output, "leftHalf\n  OK 목표=(0,0 720×900) 결과=(0,0 720×900) a\uFFFDb\n");
}

TEST(ControlAnswerTest, TheClientTakesOnlyWhatIsAnAnswer) {
  const char* rejected[] = {
      "",
      "leftHalf",
      "[0,\"\",\"\"]",
      R"({"output":"","error":""})",
      R"({"exit":3,"output":"","error":""})",
      R"({"exit":-1,"output":"","error":""})",
      R"({"exit":"0","output":"","error":""})",
      R"({"exit":1.0,"output":"","error":""})",
      R"({"exit":0,"error":""})",
      R"({"exit":0,"output":7,"error":""})",
      R"({"exit":0,"output":"","error":null})",
      R"({"exit":1,"output":"","error":"two\nlines"})",
      R"({"exit":0,"output":"","error":"","data":[[[[[[[[[[[[[[[[[[1]]]]]]]]]]]]]]]]]})",
  };
  for (const char* line : rejected) EXPECT_EQ(decodeControlAnswer(line), std::nullopt) << line;

  const auto minimal = decodeControlAnswer(R"({"exit":2,"output":"","error":"usage"})");
  ASSERT_TRUE(minimal.has_value());
  EXPECT_EQ(minimal->exit, ExitStatus::usage);
  EXPECT_TRUE(minimal->data.is_null());
  EXPECT_EQ(decodeControlAnswer(std::string(maxAnswerBytes + 1, ' ')), std::nullopt);
}

TEST(ControlAnswerTest, AUsageAnswerCarriesOnlyItsError) {
  EXPECT_EQ(usageAnswer("unknown request \"fly\""),
            (ControlAnswer{ExitStatus::usage, "", "unknown request \"fly\"", nullptr}));
}

}  // namespace
}  // namespace corvella
