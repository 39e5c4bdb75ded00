#pragma once
// The splash window: borderless, centred on the screen, a black raised panel of
// 320 x 103 with the splash picture stretched inside it. Painted as soon as it is made,
// so it is seen while the program loads.
struct SDL_Window;

namespace tolvane {

inline constexpr int kSplashWidth = 320;
inline constexpr int kSplashHeight = 103;

class SplashWindow {
 public:
  // Without a video device nothing is shown and nothing fails.
  SplashWindow();
  ~SplashWindow();
  SplashWindow(const SplashWindow&) = delete;
  SplashWindow& operator=(const SplashWindow&) = delete;

  bool Shown() const { return window_ != nullptr; }

 private:
  void Paint();

  SDL_Window* window_ = nullptr;
};

}  // namespace tolvane
