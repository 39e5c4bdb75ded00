#pragma once
// Dear ImGui on the main window's renderer: the context, a light style, the Japanese
// font (or ImGui's own font when it is missing) and the frame bracket. The font holds only
// the characters asked for: printable ASCII, the texts given at the start and those of
// AddGlyphs, so its atlas is small and quick to build.
#include <imgui.h>

#include <string>
#include <string_view>

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
  // glyphText: characters the font must hold besides printable ASCII (the captions).
  ImGuiLayer(SDL_Window* window, SDL_Renderer* renderer,
             const std::string& fontPath = kJapaneseFontPath, std::string_view glyphText = {});
  ~ImGuiLayer();
  ImGuiLayer(const ImGuiLayer&) = delete;
  ImGuiLayer& operator=(const ImGuiLayer&) = delete;

  void ProcessEvent(const SDL_Event& event);
  // Adds the characters of `text` the font does not hold yet, building it anew (a box's
  // text before it is shown). Between frames only.
  void AddGlyphs(std::string_view text);
  // Without a window, the display size and a fixed time step are set by hand.
  void BeginFrame(int displayWidth, int displayHeight);
  // Draws the frame onto the renderer's current target.
  void EndFrame();

  // Height of the main menu bar in pixels.
  int MenuBarHeight() const;
  bool HasJapaneseFont() const { return japanese_; }

 private:
  // Marks the characters of `text` as wanted; true when one was new.
  bool AddChars(std::string_view text);
  void BuildFont();

  SDL_Window* window_;
  std::string fontPath_;
  ImFontGlyphRangesBuilder glyphs_;
  ImVector<ImWchar> ranges_;  // the atlas reads them while it is built
  float fontSize_ = kJapaneseFontSize;
  bool japanese_ = false;
  bool fontMade_ = false;  // the atlas has been built and handed to the renderer
};

}  // namespace tolvane
