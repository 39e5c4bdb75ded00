#pragma once
// Every text the replays show: the boxes (standard error without a window) and the menu.
namespace tolvane {

inline constexpr const char* kReplayFileLine = "ファイル: ";
inline constexpr const char* kCannotReadReplay = "リプレイファイルを読み込めません。";
inline constexpr const char* kNotAReplay = "リプレイファイルではありません。";
inline constexpr const char* kTruncatedReplay = "リプレイファイルが途中で切れています。";
inline constexpr const char* kCorruptedReplay = "リプレイファイルが壊れています。";
inline constexpr const char* kOtherVersionReplay =
    "このリプレイファイルの版には対応していません。版: ";
inline constexpr const char* kOtherDataReplay =
    "このリプレイは別のゲームデータ (ステージファイルや画像) で記録されたため、再生できません。";
inline constexpr const char* kDesyncReplay =
    "リプレイが記録と食い違ったため、再生を止めました。フレーム: ";
inline constexpr const char* kCannotSaveReplay = "リプレイを保存できません。";

}  // namespace tolvane
