#pragma once
// The actor record: every on-screen or logical thing in the game is one of these,
// held in the fixed ActorPool. Behaviour is the procedure stored in the record; all
// private state of a behaviour lives in its Work words.
#include <array>
#include <cstdint>

namespace tolvane {

struct TActor;

// Per-frame behaviour, called by the move pass. Replacing it is how an actor changes state.
using MoveProc = void (*)(TActor& actor);
// Replaces the default sprite drawing in the render pass.
using DrawProc = void (*)(TActor& actor);

// One row of an animation table: the image shown and for how many drawn frames.
// A table ends with a row whose image is kAnimEnd.
struct AnimRow {
  int32_t image;
  int32_t frames;
};
inline constexpr int32_t kAnimEnd = -1;

// Kind values; the collision rules that use them belong to the gameplay code.
inline constexpr uint8_t KindPlayer = 0;
inline constexpr uint8_t KindEnemyShot = 1;
inline constexpr uint8_t KindPlayerShot = 2;
inline constexpr uint8_t KindEnemy = 3;
inline constexpr uint8_t KindOrbCost = 4;
inline constexpr uint8_t KindItem = 5;
inline constexpr uint8_t KindPersistent = 6;  // survives ClearSceneActors
inline constexpr uint8_t KindNeutral = 7;     // what NewActor gives

// Image values with a special meaning.
inline constexpr int32_t kNoImage = -1;          // nothing drawn
inline constexpr int32_t kAnimatedImage = -255;  // image taken from AnimTable each drawn frame

// AnimMode values: what happens at the end row of AnimTable.
inline constexpr uint8_t AnimLoop = 0;
inline constexpr uint8_t AnimPingPong = 1;
inline constexpr uint8_t AnimFree = 2;

inline constexpr int kWorkWords = 65;

// Field order is part of the design (behaviours are written against it); do not reorder.
// No member initialisers: the pool is zero-filled static storage, and a slot's
// leftovers (AnimTable, Work) must survive being taken again.
struct TActor {
  uint8_t Active;  // 0 = free slot
  uint8_t Kind;
  int32_t X;  // hot spot, screen pixels
  int32_t Y;
  int32_t Width;  // one pattern of the image
  int32_t Height;
  int32_t ScaleX;  // percent
  int32_t ScaleY;
  int32_t Image;  // archive index, kNoImage or kAnimatedImage
  int32_t Pattern;
  int32_t CenterX;  // hot spot from the image's top-left corner
  int32_t CenterY;
  int32_t HitScale;  // percent of CenterX/CenterY used as hit-box half extents
  MoveProc Move;
  DrawProc Draw;
  int32_t Alpha;       // 255 = opaque
  uint8_t Blink;       // drawn only every other frame
  uint8_t Flash;       // the left-out frames draw the flash form instead
  int32_t FlashImage;  // kNoImage = own image drawn additively
  uint8_t BlinkPhase;  // toggled on every drawn frame
  const AnimRow* AnimTable;
  int32_t AnimIndex;
  int32_t AnimStep;   // +1 or -1
  int32_t AnimCount;  // drawn frames spent on the current row
  uint8_t AnimMode;
  int32_t PatternPeriod;  // frames per pattern when cycling with FrameCount; 0 = fixed Pattern
  // Behaviour-private words. A word that refers to another actor holds its slot number
  // (see ActorAt/SlotOf), so a reference names the slot whoever occupies it later.
  std::array<int32_t, kWorkWords> Work;
};

}  // namespace tolvane
