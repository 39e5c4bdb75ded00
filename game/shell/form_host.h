#pragma once
// The window side of the main window: what TFormMain asks of the platform. The program
// implements it over SDL and Dear ImGui; the headless program and the tests have their own.
#include <string_view>

namespace tolvane {

// The window's outer position and the size of its client area, in screen pixels.
struct WindowPlacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowPlacement&) const = default;
};

// Window sizes offered: the picture 1 to 4 times its size.
inline constexpr int kLargestWindowScale = 4;

struct ClientSize {
  int width = 0;
  int height = 0;
};

class FormHost {
 public:
  virtual ~FormHost() = default;

  // The splash window: shown and painted at once, closed and destroyed later.
  virtual void ShowSplash() = 0;
  virtual void CloseSplash() = 0;

  virtual void SetCaption(std::string_view caption) = 0;
  // Client area (below the menu bar) of width x height with its top-left corner at
  // left, top on the screen; shows the window.
  virtual void ShowClientArea(int left, int top, int width, int height) = 0;
  virtual WindowPlacement Placement() const = 0;
  virtual void SetPlacement(const WindowPlacement& placement) = 0;
  // Full screen: the window covers the display, which shows the 640 x 480 screen scaled
  // with its aspect kept, and has no menu bar. Off: back to a framed window with the menu.
  // False when the window system did not let the window cover the display; it is then
  // a window again.
  virtual bool SetFullScreen(bool on) = 0;
  // The client area in the display's pixels: 640 x 480 in full screen.
  virtual ClientSize ClientAreaSize() const = 0;
  // Where the 480 x 320 picture sits in the client area.
  virtual void SetDrawingPosition(int left, int top) = 0;
  // The window shows the picture (and the client area given to ShowClientArea) `scale` times
  // its size, the menu bar at its own height above it; a shown window takes the size at once.
  virtual void SetWindowScale(int /*scale*/) {}
  // The largest scale whose window fits the desktop's usable area; 0 when not even 1.
  virtual int LargestWindowScale() const { return kLargestWindowScale; }

  // Modal boxes inside the window; they return when answered. No frame runs meanwhile.
  virtual bool AskOkCancel(std::string_view text) = 0;
  virtual void ShowMessage(std::string_view text) = 0;

  // Ends the message loop once the current tick (if any) has finished.
  virtual void Close() = 0;
};

}  // namespace tolvane
