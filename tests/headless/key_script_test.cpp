// Key scripts: what they accept, what they refuse (with the line), and when keys change.
#include "tools/headless/key_script.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "presentation/virtual_keys.h"

namespace tolvane::headless {
namespace {

TEST(KeyScript, NamesLettersDigitsAndCodesAreKeys) {
  EXPECT_EQ(VirtualKeyByName("Space"), pres::vk::kSpace);
  EXPECT_EQ(VirtualKeyByName("ENTER"), pres::vk::kReturn);
  EXPECT_EQ(VirtualKeyByName("right"), pres::vk::kRight);
  EXPECT_EQ(VirtualKeyByName("z"), 'Z');
  EXPECT_EQ(VirtualKeyByName("5"), '5');
  EXPECT_EQ(VirtualKeyByName("113"), pres::vk::kF2);
  EXPECT_EQ(VirtualKeyByName("256"), 0);
  EXPECT_EQ(VirtualKeyByName("0x20"), 0);
  EXPECT_EQ(VirtualKeyByName("Jump"), 0);
}

TEST(KeyScript, ChangesApplyBeforeTheirFrame) {
  std::string error;
  auto script = KeyScript::Parse(
      "# start\n\n3 +Space +Right  # fire and go\n5 -Space\n5 +z\n9 -Right -Z\n", &error);
  ASSERT_TRUE(script.has_value()) << error;
  EXPECT_EQ(script->Changes().size(), 6u);

  pres::InputDevice input;
  std::vector<std::string> held;
  for (int32_t frame = 1; frame <= 10; ++frame) {
    script->BeforeFrame(frame, input);
    held.push_back(std::string(input.KeyIsDown(pres::vk::kSpace) ? "S" : "") +
                   (input.KeyIsDown(pres::vk::kRight) ? "R" : "") +
                   (input.KeyIsDown('Z') ? "Z" : ""));
  }
  EXPECT_THAT(held, ::testing::ElementsAre("", "", "SR", "SR", "RZ", "RZ", "RZ", "RZ", "", ""));
}

TEST(KeyScript, RefusesBadLinesNamingThem) {
  const std::pair<const char*, const char*> bad[] = {
      {"1 +Space\nten +Space\n", "line 2: 'ten' is not a frame number"},
      {"0 +Space\n", "line 1: '0' is not a frame number"},
      {"5 +Space\n4 -Space\n", "line 2: frame 4 comes after frame 5"},
      {"3 Space\n", "line 1: 'Space' is not +KEY or -KEY"},
      {"3 +Jump\n", "line 1: no key is called 'Jump'"},
      {"\n\n3\n", "line 3: frame 3 changes no key"},
  };
  for (const auto& [text, why] : bad) {
    std::string error;
    EXPECT_FALSE(KeyScript::Parse(text, &error).has_value()) << text;
    EXPECT_THAT(error, ::testing::StartsWith(why)) << text;
  }
}

}  // namespace
}  // namespace tolvane::headless
