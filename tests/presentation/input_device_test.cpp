// Key bindings, states and the SDL key mapping of the input device.
#include "presentation/input_device.h"

#include <SDL2/SDL_keycode.h>
#include <gtest/gtest.h>

namespace pres {
namespace {

uint64_t Bit(int state) {
  return uint64_t{1} << state;
}

TEST(InputDevice, DefaultBindings) {
  InputDevice in;
  EXPECT_EQ(in.Binding(kInputUp), (KeyBinding{'K', 0x26, 0x68}));
  EXPECT_EQ(in.Binding(kInputDown), (KeyBinding{'J', 0x28, 0x62}));
  EXPECT_EQ(in.Binding(kInputLeft), (KeyBinding{'H', 0x25, 0x64}));
  EXPECT_EQ(in.Binding(kInputRight), (KeyBinding{'L', 0x27, 0x66}));
  EXPECT_EQ(in.Binding(kInputButton1 + 8), (KeyBinding{113, 0, 0}));  // button 9: F2
  for (int s = kInputButton1; s < kInputStateCount; ++s) {
    if (s != kInputButton1 + 8) {
      EXPECT_EQ(in.Binding(s), (KeyBinding{0, 0, 0})) << s;
    }
  }
}

TEST(InputDevice, AnyBoundKeyHoldsTheStateUntilReleased) {
  InputDevice in;
  in.SetBinding(kInputButton1, {32, 'Z', 0});
  in.KeyDown('Z');
  in.KeyDown(0x62);  // numeric pad 2
  in.Update();
  EXPECT_EQ(in.States(), Bit(kInputButton1) | Bit(kInputDown));
  in.KeyDown(32);
  in.KeyUp('Z');
  in.Update();
  EXPECT_EQ(in.States(), Bit(kInputButton1) | Bit(kInputDown));
  in.KeyUp(32);
  in.KeyUp(0x62);
  in.Update();
  EXPECT_EQ(in.States(), 0u);
  in.SetBinding(35, {'Q', 0, 0});  // the last state, bit 35
  in.KeyDown('Q');
  in.Update();
  EXPECT_EQ(in.States(), Bit(35));
}

TEST(InputDevice, ReadOnlyWhileActiveAndStrayCodesIgnored) {
  InputDevice in;
  in.KeyDown('K');
  in.SetActive(false);
  in.Update();
  EXPECT_EQ(in.States(), 0u);
  in.KeyDown('J');  // keys pressed in the background are not seen
  in.SetActive(true);
  in.Update();
  EXPECT_EQ(in.States(), 0u);  // and the key held when leaving counts as released
  for (int code : {-1, 0, 256, 100000}) {
    in.KeyDown(code);
    EXPECT_FALSE(in.KeyIsDown(code));
  }
  in.Update();
  EXPECT_EQ(in.States(), 0u);
}

TEST(InputDevice, PadKeysAndKeyboardHoldTogetherWithoutReleasingEachOther) {
  InputDevice in;
  in.SetBinding(kInputButton1, {32, 'Z', 0});
  const int padFire[] = {'Z', 0x26, -3, 999};  // stray codes are left out
  in.SetPadKeys(padFire);
  in.KeyDown('Z');
  in.KeyUp('Z');  // the keyboard lets go; the pad still holds fire
  in.Update();
  EXPECT_EQ(in.States(), Bit(kInputButton1) | Bit(kInputUp));
  in.KeyDown(0x26);
  in.SetPadKeys({});  // the pad lets go; the keyboard still holds up
  in.Update();
  EXPECT_EQ(in.States(), Bit(kInputUp));
  in.SetActive(false);
  in.SetPadKeys(padFire);  // not read in the background
  in.SetActive(true);
  in.Update();
  EXPECT_EQ(in.States(), 0u);
}

TEST(VirtualKeyFromSdl, MapsTheKeysTheGameUses) {
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_k), 'K');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_z), 'Z');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_5), '5');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_UP), 0x26);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_LEFT), 0x25);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_8), 0x68);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_0), 0x60);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_SPACE), 32);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RETURN), 13);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_ENTER), 13);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_LSHIFT), 16);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RSHIFT), 16);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_ESCAPE), 27);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F2), 113);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F4), 115);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F12), 0x7B);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_APPLICATION), 0);
  EXPECT_EQ(VirtualKeyFromSdl(-5), 0);
}

}  // namespace
}  // namespace pres
