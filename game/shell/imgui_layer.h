#pragma once
// Dear ImGui on the main window's renderer: the context, a light style, the Japanese
// font (or ImGui's own font when it is missing) and the frame bracket.
#include <string>

struct SDL_Renderer;
struct SDL_Window;
union SDL_Event;

namespace tolvane {

inline constexpr const char* kJapaneseFontPath =
    "/usr/share/fonts/truetype/vlgothic/VL-Gothic-Regular.ttf";
inline constexpr float kJapaneseFontSize = 16.0f;

class ImGuiLayer {
 public:
  // window may be null (no platform input: tests drawing into an offscreen renderer).
  ImGuiLayer(SDL_Window* window, SDL_Renderer* renderer,
             const std::string& fontPath = kJapaneseFontPath);
  ~ImGuiLayer();
  ImGuiLayer(const ImGuiLayer&) = delete;
  ImGuiLayer& operator=(const ImGuiLayer&) = delete;

  void ProcessEvent(const SDL_Event& event);
  // Without a window, the display size and a fixed time step are set by hand.
  void BeginFrame(int displayWidth, int displayHeight);
  // Draws the frame onto the renderer's current target.
  void EndFrame();

  // Height of the main menu bar in pixels.
  int MenuBarHeight() const;
  bool HasJapaneseFont() const { return japanese_; }

 private:
  SDL_Window* window_;
  bool japanese_ = false;
};

}  // namespace tolvane
