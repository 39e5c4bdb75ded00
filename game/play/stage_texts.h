#pragma once
// The texts the stage script shows, each written once here.
#include <array>

namespace tolvane {

// The HUD lines, rewritten every frame: stage, score, frame rate; tails, highest combo.
inline constexpr const char* kHudLine1Format = "STAGE %1d    SCORE %9d   FPS %3d";
inline constexpr const char* kHudLine2Format = "TAIL  %1d    MAX COMBO   %3d";

// Boss captions of code 151, chosen by ArgX 1-5.
inline constexpr std::array<const char*, 5> kBossCaptions = {
    "Stage 1 Boss : Nasu", "Stage 2 Boss : Yuki",   "Stage 3 Boss : Ken",
    "Stage 4 Boss : Mako", "The Tower of Bavenore",
};

// The two lines of code 157 before the final boss.
inline constexpr const char* kFinalBossCaption = "Tolvane Echo Lass Boss";
inline constexpr const char* kFinalBossName = "Princess Aya XI";

}  // namespace tolvane
