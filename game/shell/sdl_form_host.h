#pragma once
// The main window over SDL2 and Dear ImGui: a fixed-size window whose client area is the
// menu bar above the 480 x 320 picture (1 to 4 times its size, sharp), or, in full screen,
// the 640 x 480 screen at the largest whole scale the display allows, centred. Modal boxes
// run a loop of their own that waits for events and runs no frame.
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "game/shell/form_host.h"
#include "game/shell/imgui_layer.h"
#include "game/shell/menu_bar_view.h"
#include "game/shell/splash_window.h"

struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Window;
struct SDL_Rect;
union SDL_Event;

namespace tolvane {

class GamePads;

// The title of the program's own message boxes.
inline constexpr const char* kMessageBoxTitle = "Tolvane Echo";

class SdlFormHost final : public FormHost {
 public:
  // Creates the main window (hidden until ShowClientArea) and its renderer. Throws
  // std::runtime_error when there is no window to be had.
  SdlFormHost();
  ~SdlFormHost() override;
  SdlFormHost(const SdlFormHost&) = delete;
  SdlFormHost& operator=(const SdlFormHost&) = delete;

  SDL_Renderer* Renderer() const { return renderer_; }
  uint32_t WindowId() const;
  void SetForm(TFormMain* form) { form_ = form; }
  // The game pads whose events come through this window's loops (null: none).
  void SetPads(GamePads* pads) { pads_ = pads; }

  // The display's presenter: composes the finished back buffer into the window.
  void Present(SDL_Texture* backBuffer);
  // Composes the last picture again (window exposed, menu moved while the game is paused).
  void Repaint();

  // One event of the main loop: window, focus, keys, mouse, pads. Keys go to the menu, then
  // to the input device and FormKeyDown; pads hand their keys to the input device, Start
  // pauses and resumes as P does, and a pad unplugged pauses the game.
  void HandleEvent(const SDL_Event& event);
  // Runs the menu item chosen since the last call; between frames only.
  void RunChosenMenuItem();
  // The main loop repaints when input changed the menu and no frame is coming soon.
  bool RepaintWanted() const { return repaintWanted_ > 0; }
  bool Closing() const { return closing_; }
  // The mouse pointer is hidden in full screen, and in the window while the game plays and
  // the pointer has not moved for 2 s; any move shows it again.
  void UpdatePointer(bool playing);

  // A box titled with the sender (the sequencer library's messages).
  void ShowTitledMessage(std::string_view title, std::string_view text);

  // FormHost
  void ShowSplash() override;
  void CloseSplash() override;
  void SetCaption(std::string_view caption) override;
  void ShowClientArea(int left, int top, int width, int height) override;
  WindowPlacement Placement() const override;
  void SetPlacement(const WindowPlacement& placement) override;
  bool SetFullScreen(bool on) override;
  ClientSize ClientAreaSize() const override;
  void SetDrawingPosition(int left, int top) override;
  void SetWindowScale(int scale) override;
  int LargestWindowScale() const override;
  bool AskOkCancel(std::string_view text) override;
  void ShowMessage(std::string_view text) override;
  void Close() override;

 private:
  struct Box {
    Box(std::string title_, std::string text_, bool question_)
        : title(std::move(title_)), text(std::move(text_)), question(question_) {}
    std::string title;
    std::string text;
    bool question = false;
    std::optional<bool> answer;  // true = OK
    int focused = 0;             // the button Space and Enter press: 0 OK, 1 Cancel
    std::set<int> held;          // keys (scan codes) down when the box opened, until let go
  };

  void Compose(SDL_Texture* backBuffer);
  void DrawBox();
  void DrawReplayMark(const SDL_Rect& picture);
  bool RunBox(Box& box);
  void HandleBoxKey(Box& box, const SDL_Event& event);
  bool HandleWindowEvent(const SDL_Event& event);
  bool HandlePadEvent(const SDL_Event& event, bool inBox);
  void HandleKey(const SDL_Event& event);
  void HandleAlt(const SDL_Event& event);
  int MenuBarHeight() const;
  bool CoversDisplay(const WindowPlacement& area) const;
  void KeepRestoredPlacement();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  std::unique_ptr<ImGuiLayer> imgui_;
  std::unique_ptr<SplashWindow> splash_;
  MenuBarView menu_;
  TFormMain* form_ = nullptr;
  GamePads* pads_ = nullptr;
  Box* box_ = nullptr;
  bool fullScreen_ = false;
  bool closing_ = false;
  int drawingLeft_ = 0;
  int drawingTop_ = 0;
  int scale_ = 1;
  uint64_t lastPointerMove_ = 0;
  bool pointerHidden_ = false;  // the window's picture: this many times the 480 x 320 picture
  int repaintWanted_ = 0;
  std::set<int> heldKeys_;  // scan codes of the keys down now, as the events told
  std::optional<WindowPlacement> restoredPlacement_;  // where the window was just put back
  uint64_t keepPlacementUntil_ = 0;
};

}  // namespace tolvane
