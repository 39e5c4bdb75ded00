// Game pads over SDL's virtual pads: the left stick holds keys past its dead zone, Start and
// unplugging are told to the window, and broken mappings, joysticks SDL knows no mapping for
// and a stick deflected from the start are each said once and left out.
#include "game/shell/game_pads.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "game/shell/pad_mappings.h"
#include "presentation/input_device.h"
#include "presentation/virtual_keys.h"
#include "tests/shell/virtual_pad.h"

namespace tolvane::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kGoodGuid = "0300000000000000000000000000abcd";

class GamePadsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
  void TearDown() override {
    ::unsetenv("SDL_GAMECONTROLLERCONFIG");
    SDL_Quit();
  }
  // The events so far; what they told beyond the keys.
  std::vector<PadEvent> Pump(GamePads& pads) {
    std::vector<PadEvent> told;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
      const PadEvent what = pads.HandleEvent(event, input_);
      if (what != PadEvent::kNone && what != PadEvent::kKeys) told.push_back(what);
    }
    return told;
  }
  std::vector<int> Held() {
    std::vector<int> held;
    for (int key : {pres::vk::kUp, pres::vk::kDown, pres::vk::kLeft, pres::vk::kRight,
                    pres::vk::Letter('Z'), pres::vk::Letter('X'), pres::vk::Letter('P')}) {
      if (input_.KeyIsDown(key)) held.push_back(key);
    }
    return held;
  }

  pres::InputDevice input_;
};

TEST_F(GamePadsTest, TheStickActsPastItsDeadZoneAndAnUnpluggedPadHoldsNothing) {
  using V = std::vector<int>;
  GamePads pads;
  auto pad = std::make_unique<VirtualPad>();
  pads.OpenAll(input_);
  pad->Tilt(SDL_CONTROLLER_AXIS_LEFTX, kStickDeadZone - 1);
  pad->Tilt(SDL_CONTROLLER_AXIS_LEFTY, -(kStickDeadZone - 1));
  pad->Press(SDL_CONTROLLER_BUTTON_Y);  // north: nothing
  Pump(pads);
  EXPECT_EQ(Held(), V{});
  pad->Tilt(SDL_CONTROLLER_AXIS_LEFTX, -kStickDeadZone);
  pad->Tilt(SDL_CONTROLLER_AXIS_LEFTY, 32767);
  pad->Press(SDL_CONTROLLER_BUTTON_START);
  EXPECT_EQ(Pump(pads), std::vector{PadEvent::kStart});
  EXPECT_EQ(Held(), (V{pres::vk::kDown, pres::vk::kLeft})) << "Start is told, not held";
  pad.reset();
  EXPECT_EQ(Pump(pads), std::vector{PadEvent::kUnplugged});
  EXPECT_EQ(Held(), V{});
  EXPECT_EQ(pads.Count(), 0);
}

TEST_F(GamePadsTest, BrokenMappingsStrangeJoysticksAndAStuckStickAreSaidOnceAndLeftOut) {
  const std::string good = std::string(kGoodGuid) + ",Mine,a:b0,b:b1,platform:Linux,";
  EXPECT_TRUE(IsPadMapping(good));
  EXPECT_TRUE(IsPadMapping("xinput,XInput Controller,a:b0,leftx:a0,lefty:-a1"));
  for (const char* bad :
       {"nonsense", "xyz,Mine,a:b0", "0300000000000000000000000000abc,Mine,a:b0",
        "0300000000000000000000000000abcd,Mine", "0300000000000000000000000000abcd,Mine,",
        "0300000000000000000000000000abcd,,a:b0", "0300000000000000000000000000abcd,Mine,a:b0,dpup",
        "0300000000000000000000000000abcd,Mine,:b1", "0300000000000000000000000000abcd,Mine,a:"}) {
    EXPECT_FALSE(IsPadMapping(bad)) << bad;
  }

  ::setenv("SDL_GAMECONTROLLERCONFIG",
           ("# mine\nbroken line\n" + good + "\n\n" + kGoodGuid + ",Other,a:b0,dpup\n").c_str(), 1);
  ::testing::internal::CaptureStderr();
  GamePads pads;
  SDL_Joystick* strange =
      SDL_JoystickOpen(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 0));
  VirtualPad stuck;
  stuck.Tilt(SDL_CONTROLLER_AXIS_LEFTX, 30000);
  SDL_JoystickUpdate();  // deflected when the pads are opened
  pads.OpenAll(input_);
  Pump(pads);
  stuck.Tilt(SDL_CONTROLLER_AXIS_LEFTX, 31000);
  Pump(pads);
  EXPECT_FALSE(input_.KeyIsDown(pres::vk::kRight)) << "a stick never seen at rest steers nothing";
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_THAT(said, HasSubstr("line 2 of SDL_GAMECONTROLLERCONFIG is not a pad mapping"));
  EXPECT_THAT(said, HasSubstr("line 5 of SDL_GAMECONTROLLERCONFIG is not a pad mapping"));
  EXPECT_THAT(said, Not(HasSubstr("line 3")));
  char* mapping = SDL_GameControllerMappingForGUID(SDL_JoystickGetGUIDFromString(kGoodGuid));
  ASSERT_NE(mapping, nullptr) << "the good line is taken";
  EXPECT_THAT(mapping, HasSubstr(",Mine,")) << "and the broken one after it is not";
  SDL_free(mapping);
  EXPECT_THAT(said, HasSubstr("the joystick Virtual Joystick"));
  EXPECT_THAT(said, HasSubstr("is no pad SDL knows; it is not used"));
  EXPECT_EQ(pads.Count(), 1);
  const auto stickLines = [&said] {
    size_t count = 0;
    for (size_t at = said.find("left stick"); at != std::string::npos;
         at = said.find("left stick", at + 1))
      ++count;
    return count;
  };
  EXPECT_EQ(stickLines(), 1u) << said;

  stuck.Tilt(SDL_CONTROLLER_AXIS_LEFTX, 0);
  Pump(pads);
  stuck.Tilt(SDL_CONTROLLER_AXIS_LEFTX, 30000);
  Pump(pads);
  EXPECT_TRUE(input_.KeyIsDown(pres::vk::kRight)) << "read once it has been at rest";
  SDL_JoystickClose(strange);
}

}  // namespace
}  // namespace tolvane::testing
