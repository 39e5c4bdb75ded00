#include "game/shell/sdl_form_host.h"

#include <SDL2/SDL.h>
#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "game/replay/replays.h"
#include "game/shell/form_main.h"
#include "game/shell/game_pads.h"
#include "game/shell/main_menu.h"
#include "game/shell/picture_layout.h"
#include "game/shell/window_geometry.h"
#include "presentation/display.h"
#include "presentation/input_device.h"
#include "presentation/services.h"
#include "presentation/virtual_keys.h"

namespace tolvane {
namespace {

constexpr float kBoxButtonWidth = 96.0f;
// The menu bar with the Japanese font, so the window is usually made at its final size.
constexpr int kUsualMenuBarHeight = 22;
// Input changes ImGui's picture over two frames (it lays a new popup out first).
constexpr int kRepaintFrames = 2;
constexpr const char* kBoxId = "###tolvane-box";
constexpr const char* kOkCaption = "OK";
constexpr const char* kCancelCaption = "キャンセル";
constexpr int kOkButton = 0;
constexpr int kCancelButton = 1;
constexpr float kFocusRingWidth = 2.0f;
// How long a window manager may take to carry out a full-screen switch or a move.
constexpr uint32_t kWindowSystemMs = 1000;
constexpr int kPlacementAttempts = 3;
// A window that has not moved for this long is taken to be where the window manager put it.
constexpr uint32_t kSteadyMs = 100;
// For this long after being put back, a move by someone else is undone.
constexpr uint64_t kKeepPlacementMs = 2000;
// Playing in the window, a pointer left still this long is hidden.
constexpr uint64_t kPointerRestMs = 2000;
// Drawn in the picture's top-right corner while a replay is watched.
constexpr const char* kReplayMark = "REPLAY";
constexpr float kReplayMarkMargin = 6.0f;
// Held while watching: the replay runs kFastForwardFrames frames a tick.
constexpr int kFastForwardKey = 'F';

char KeyCharacter(int virtualKey) {
  const bool letter = virtualKey >= pres::vk::kA && virtualKey <= pres::vk::Letter('Z');
  const bool digit = virtualKey >= pres::vk::k0 && virtualKey <= pres::vk::k0 + 9;
  return letter || digit ? static_cast<char>(virtualKey) : 0;
}

bool IsAlt(const SDL_Event& event) {
  return event.key.keysym.sym == SDLK_LALT || event.key.keysym.sym == SDLK_RALT;
}

// A frame around the last button drawn: the one Space and Enter press.
void DrawFocusRing() {
  const ImVec2 low = ImGui::GetItemRectMin();
  const ImVec2 high = ImGui::GetItemRectMax();
  ImGui::GetWindowDrawList()->AddRect(ImVec2(low.x - kFocusRingWidth, low.y - kFocusRingWidth),
                                      ImVec2(high.x + kFocusRingWidth, high.y + kFocusRingWidth),
                                      ImGui::GetColorU32(ImGuiCol_NavHighlight), 0.0f, 0,
                                      kFocusRingWidth);
}

void SetActive(bool active) {
  if (pres::FrameTimer* timer = pres::Services().timer) timer->SetActive(active);
  if (pres::InputDevice* input = pres::Services().input) input->SetActive(active);
}

}  // namespace

SdlFormHost::SdlFormHost() {
  // SDL's own software renderer, and window pictures sent to the X server as they are, unless
  // the player says otherwise (SDL_RENDER_DRIVER, SDL_FRAMEBUFFER_ACCELERATION): a 480 x 320
  // picture costs them little, while an OpenGL context without a graphics card (a software
  // OpenGL, a virtual X server) takes a third of a second to start, tens of megabytes and
  // threads that burn a tenth of a core on the title. Set before the first window is made.
  SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  // The splash goes up before the main window, its renderer and the menu font are made, so it
  // is the first thing seen; FormCreate's ShowSplash then keeps it.
  splash_ = std::make_unique<SplashWindow>();
  window_ =
      SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, pres::kScreenWidth,
                       pres::kScreenHeight + kUsualMenuBarHeight, SDL_WINDOW_HIDDEN);
  if (window_ == nullptr)
    throw std::runtime_error(std::string("cannot create the main window: ") + SDL_GetError());
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_TARGETTEXTURE);
  if (renderer_ == nullptr) {
    std::string reason = SDL_GetError();
    SDL_DestroyWindow(window_);
    throw std::runtime_error("cannot create the window's renderer: " + reason);
  }
  const std::string glyphText =
      AllCaptionText() + kOkCaption + kCancelCaption + kMessageBoxTitle + kQuitQuestion;
  imgui_ = std::make_unique<ImGuiLayer>(window_, renderer_, kJapaneseFontPath, glyphText);
  ImGui::GetStyle().DisplaySafeAreaPadding = ImVec2(0.0f, 0.0f);
}

SdlFormHost::~SdlFormHost() {
  splash_.reset();
  imgui_.reset();
  SDL_DestroyRenderer(renderer_);
  SDL_DestroyWindow(window_);
}

uint32_t SdlFormHost::WindowId() const {
  return SDL_GetWindowID(window_);
}

int SdlFormHost::MenuBarHeight() const {
  return imgui_->MenuBarHeight();
}

void SdlFormHost::Present(SDL_Texture* backBuffer) {
  Compose(backBuffer);
}

void SdlFormHost::Repaint() {
  const pres::Display* display = pres::Services().display;
  SDL_Texture* target = SDL_GetRenderTarget(renderer_);
  SDL_SetRenderTarget(renderer_, nullptr);
  Compose(display != nullptr ? display->BackBufferTexture() : nullptr);
  SDL_SetRenderTarget(renderer_, target);
}

void SdlFormHost::Compose(SDL_Texture* backBuffer) {
  int outputWidth = 0;
  int outputHeight = 0;
  SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 0xFF);
  SDL_RenderClear(renderer_);

  const ScreenRect windowed = WindowedPicture(MenuBarHeight(), scale_, drawingLeft_, drawingTop_);
  SDL_Rect picture{windowed.left, windowed.top, windowed.width, windowed.height};
  if (fullScreen_) {
    // The 640 x 480 screen at the largest whole scale the display allows, centred.
    const ScreenRect full = FullScreenPicture(outputWidth, outputHeight, drawingLeft_, drawingTop_);
    picture = SDL_Rect{full.left, full.top, full.width, full.height};
  }
  if (backBuffer != nullptr) SDL_RenderCopy(renderer_, backBuffer, nullptr, &picture);

  imgui_->BeginFrame(outputWidth, outputHeight);
  if (Watching()) DrawReplayMark(picture);
  if (!fullScreen_ && form_ != nullptr) menu_.Draw(*form_);
  DrawBox();
  imgui_->EndFrame();
  SDL_RenderPresent(renderer_);
  repaintWanted_ = std::max(0, repaintWanted_ - 1);
}

void SdlFormHost::DrawReplayMark(const SDL_Rect& picture) {
  const ImVec2 size = ImGui::CalcTextSize(kReplayMark);
  const ImVec2 at(float(picture.x + picture.w) - size.x - kReplayMarkMargin,
                  float(picture.y) + kReplayMarkMargin);
  ImDrawList* draw = ImGui::GetForegroundDrawList();
  draw->AddRectFilled(ImVec2(at.x - 3.0f, at.y - 1.0f),
                      ImVec2(at.x + size.x + 3.0f, at.y + size.y + 1.0f), IM_COL32(0, 0, 0, 160));
  draw->AddText(at, IM_COL32(255, 80, 80, 255), kReplayMark);
}

void SdlFormHost::DrawBox() {
  if (box_ == nullptr) return;
  if (!ImGui::IsPopupOpen(kBoxId)) ImGui::OpenPopup(kBoxId);
  const ImVec2 display = ImGui::GetIO().DisplaySize;
  ImGui::SetNextWindowPos(ImVec2(display.x * 0.5f, display.y * 0.5f), ImGuiCond_Always,
                          ImVec2(0.5f, 0.5f));
  const std::string label = box_->title + kBoxId;
  const ImGuiWindowFlags flags = ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoMove |
                                 ImGuiWindowFlags_NoSavedSettings;
  if (!ImGui::BeginPopupModal(label.c_str(), nullptr, flags)) return;
  ImGui::TextUnformatted(box_->text.c_str());
  ImGui::Spacing();
  if (ImGui::Button(kOkCaption, ImVec2(kBoxButtonWidth, 0.0f))) box_->answer = true;
  if (box_->focused == kOkButton) DrawFocusRing();
  if (box_->question) {
    ImGui::SameLine(0.0f, ImGui::GetStyle().ItemSpacing.x + 2.0f * kFocusRingWidth);
    if (ImGui::Button(kCancelCaption, ImVec2(kBoxButtonWidth, 0.0f))) box_->answer = false;
    if (box_->focused == kCancelButton) DrawFocusRing();
  }
  if (box_->answer.has_value()) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
}

bool SdlFormHost::RunBox(Box& box) {
  if (closing_) {
    // The window is going away: nobody would see the box.
    std::fprintf(stderr, "tolvane: %s\n", box.text.c_str());
    return false;
  }
  if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_HIDDEN) != 0) {
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    SDL_ShowWindow(window_);
  }
  box.held = heldKeys_;
  int keyCount = 0;
  const Uint8* keys = SDL_GetKeyboardState(&keyCount);
  for (int scancode = 0; scancode < keyCount; ++scancode) {
    if (keys[scancode] != 0) box.held.insert(scancode);
  }
  imgui_->AddGlyphs(box.title + box.text);  // a message may hold characters no caption has
  Box* outer = box_;
  box_ = &box;
  // A box may be answered with the mouse: the pointer shows while it is open.
  if (pointerHidden_) {
    SDL_ShowCursor(SDL_ENABLE);
    pointerHidden_ = false;
  }
  Repaint();
  Repaint();
  while (!box.answer.has_value()) {
    SDL_Event event;
    if (SDL_WaitEvent(&event) == 0) {
      box.answer = !box.question;
      break;
    }
    do {
      imgui_->ProcessEvent(event);
      if (HandleWindowEvent(event)) {
        if (closing_) box.answer = !box.question;  // closing the window answers Cancel
      } else if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
        HandleBoxKey(box, event);
      } else {
        HandlePadEvent(event, true);  // the pads' keys stay as they are held
      }
    } while (!box.answer.has_value() && SDL_PollEvent(&event) != 0);
    Repaint();
  }
  box_ = outer;
  Repaint();
  return *box.answer;
}

void SdlFormHost::HandleBoxKey(Box& box, const SDL_Event& event) {
  const int scancode = event.key.keysym.scancode;
  if (event.type == SDL_KEYUP) {
    heldKeys_.erase(scancode);
    box.held.erase(scancode);
    // Keys let go while the box is open must not stay held in the game.
    if (pres::InputDevice* input = pres::Services().input) {
      input->KeyUp(pres::VirtualKeyFromSdl(event.key.keysym.sym));
    }
    return;
  }
  heldKeys_.insert(scancode);
  // A key that was down when the box opened (fire held in play, the Escape that opened it)
  // answers nothing until it has been let go and pressed again.
  if (event.key.repeat != 0 || box.held.count(scancode) != 0) return;
  switch (event.key.keysym.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_SPACE:
      box.answer = box.focused == kOkButton;
      break;
    case SDLK_ESCAPE:
      box.answer = !box.question;
      break;
    case SDLK_TAB:
    case SDLK_LEFT:
    case SDLK_RIGHT:
    case SDLK_UP:
    case SDLK_DOWN:
      if (box.question) box.focused = box.focused == kOkButton ? kCancelButton : kOkButton;
      break;
    default:
      break;
  }
}

bool SdlFormHost::HandleWindowEvent(const SDL_Event& event) {
  if (event.type == SDL_QUIT) {
    closing_ = true;
    return true;
  }
  if (event.type != SDL_WINDOWEVENT) return event.type >= SDL_USEREVENT;
  if (event.window.windowID != SDL_GetWindowID(window_)) return true;  // the splash window
  switch (event.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      closing_ = true;
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      SetActive(true);
      // What the pads hold now: their presses in the background were not read.
      if (pres::InputDevice* input = pres::Services().input; input != nullptr && pads_ != nullptr)
        pads_->Refresh(*input);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      SetActive(false);
      heldKeys_.clear();  // their releases go to another window
      menu_.OtherInput();
      break;
    case SDL_WINDOWEVENT_MOVED:
      KeepRestoredPlacement();
      repaintWanted_ = kRepaintFrames;
      break;
    default:
      repaintWanted_ = kRepaintFrames;
      break;  // shown, exposed, moved, restored
  }
  return true;
}

bool SdlFormHost::HandlePadEvent(const SDL_Event& event, bool inBox) {
  pres::InputDevice* input = pres::Services().input;
  if (pads_ == nullptr || input == nullptr) return false;
  const PadEvent what = pads_->HandleEvent(event, *input);
  // A watched replay plays on its own input. A box waits for its answer, but a pad unplugged
  // meanwhile still leaves the game paused behind it.
  if (form_ != nullptr && !Watching()) {
    if (what == PadEvent::kStart && !inBox) form_->FormKeyDown(pres::vk::Letter('P'));
    if (what == PadEvent::kUnplugged) form_->Pause();
  }
  return what != PadEvent::kNone;
}

void SdlFormHost::HandleEvent(const SDL_Event& event) {
  imgui_->ProcessEvent(event);
  if (HandleWindowEvent(event) || HandlePadEvent(event, false)) return;
  switch (event.type) {
    case SDL_KEYDOWN:
      heldKeys_.insert(event.key.keysym.scancode);
      HandleAlt(event);
      HandleKey(event);
      break;
    case SDL_KEYUP:
      heldKeys_.erase(event.key.keysym.scancode);
      HandleAlt(event);
      if (pres::InputDevice* input = pres::Services().input) {
        input->KeyUp(pres::VirtualKeyFromSdl(event.key.keysym.sym));
      }
      if (pres::VirtualKeyFromSdl(event.key.keysym.sym) == kFastForwardKey) SetFastForward(false);
      break;
    case SDL_MOUSEBUTTONDOWN:
      menu_.OtherInput();
      if (!fullScreen_) repaintWanted_ = kRepaintFrames;
      break;
    case SDL_MOUSEMOTION:
      lastPointerMove_ = SDL_GetTicks64();
      if (!fullScreen_) repaintWanted_ = kRepaintFrames;
      break;
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
      if (!fullScreen_) repaintWanted_ = kRepaintFrames;
      break;
    default:
      break;
  }
}

void SdlFormHost::HandleAlt(const SDL_Event& event) {
  if (fullScreen_) return;
  if (!IsAlt(event)) {
    if (event.type == SDL_KEYDOWN) menu_.OtherInput();
    return;
  }
  if (event.type == SDL_KEYDOWN && event.key.repeat == 0) menu_.AltDown();
  if (event.type == SDL_KEYUP && menu_.AltUp()) repaintWanted_ = kRepaintFrames;
}

void SdlFormHost::HandleKey(const SDL_Event& event) {
  const int virtualKey = pres::VirtualKeyFromSdl(event.key.keysym.sym);
  if (Watching()) {
    // The replay plays on its own input: Escape ends it, F held runs it fast. The keyboard
    // is still followed, so keys held when it ends are known to be held.
    if (event.key.repeat != 0) return;
    if (pres::InputDevice* input = pres::Services().input) input->KeyDown(virtualKey);
    if (virtualKey == pres::vk::kEscape) StopWatching();
    if (virtualKey == kFastForwardKey) SetFastForward(true);
    return;
  }
  const bool alt = (event.key.keysym.mod & KMOD_ALT) != 0;
  const bool escape = virtualKey == pres::vk::kEscape;
  if (!fullScreen_) {
    if (menu_.HandleKey(KeyCharacter(virtualKey), alt, escape)) {
      repaintWanted_ = kRepaintFrames;
      return;
    }
    if (menu_.MenuOpen()) return;  // an open menu takes every key
  }
  // Held keys repeat; the game wants the press, and F4 must not flip the mode back and forth.
  if (event.key.repeat != 0) return;
  if (pres::InputDevice* input = pres::Services().input) input->KeyDown(virtualKey);
  if (form_ != nullptr) form_->FormKeyDown(virtualKey);
}

void SdlFormHost::RunChosenMenuItem() {
  const auto chosen = menu_.TakeChosen();
  if (chosen.has_value() && form_ != nullptr) RunMenuCommand(*form_, **chosen);
}

void SdlFormHost::ShowTitledMessage(std::string_view title, std::string_view text) {
  Box box(std::string(title), std::string(text), false);
  RunBox(box);
}

void SdlFormHost::ShowSplash() {
  if (splash_ == nullptr) splash_ = std::make_unique<SplashWindow>();
}

void SdlFormHost::CloseSplash() {
  splash_.reset();
}

void SdlFormHost::SetCaption(std::string_view caption) {
  SDL_SetWindowTitle(window_, std::string(caption).c_str());
}

void SdlFormHost::ShowClientArea(int left, int top, int width, int height) {
  // Shown first: a hidden window's size change does not reach its renderer on every driver.
  SDL_ShowWindow(window_);
  SDL_SetWindowSize(window_, width * scale_, height * scale_ + MenuBarHeight());
  SDL_SetWindowPosition(window_, left, top);
  repaintWanted_ = kRepaintFrames;
}

WindowPlacement SdlFormHost::Placement() const {
  return RealClientArea(window_);
}

void SdlFormHost::SetPlacement(const WindowPlacement& placement) {
  SDL_SetWindowSize(window_, placement.width, placement.height);
  // A window manager taking the window out of full screen places it anew when it is done,
  // and until then SDL does not know the frame's size, which a move has to allow for: wait
  // for the window to come to rest at its size, then move it until it rests where it was.
  const auto sized = [&placement](const WindowPlacement& now) {
    return now.width == placement.width && now.height == placement.height;
  };
  const auto placed = [&placement](const WindowPlacement& now) { return now == placement; };
  WaitForWindowArea(window_, sized, kSteadyMs, kWindowSystemMs);
  for (int attempt = 0; attempt < kPlacementAttempts && !placed(RealClientArea(window_));
       ++attempt) {
    SDL_SetWindowPosition(window_, placement.left, placement.top);
    WaitForWindowArea(window_, placed, kSteadyMs, kWindowSystemMs / kPlacementAttempts);
  }
  // A busy window manager may still carry out SDL's own, earlier move after this.
  restoredPlacement_ = placement;
  keepPlacementUntil_ = SDL_GetTicks64() + kKeepPlacementMs;
}

void SdlFormHost::KeepRestoredPlacement() {
  if (!restoredPlacement_.has_value()) return;
  if (fullScreen_ || SDL_GetTicks64() >= keepPlacementUntil_) {
    restoredPlacement_.reset();
    return;
  }
  if (RealClientArea(window_) == *restoredPlacement_) return;
  SDL_SetWindowPosition(window_, restoredPlacement_->left, restoredPlacement_->top);
}

bool SdlFormHost::CoversDisplay(const WindowPlacement& area) const {
  SDL_Rect display{};
  if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &display) != 0) {
    return true;  // nothing to compare with: take SDL's word
  }
  return area.width >= display.w && area.height >= display.h;
}

bool SdlFormHost::SetFullScreen(bool on) {
  if (on == fullScreen_) return true;
  menu_.Forget();  // the menu bar is not drawn in full screen
  repaintWanted_ = kRepaintFrames;
  if (!on) {
    SDL_SetWindowFullscreen(window_, 0);
    fullScreen_ = false;
    return true;
  }
  const bool asked = SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
  if (!asked) std::fprintf(stderr, "tolvane: cannot switch the screen mode: %s\n", SDL_GetError());
  // Without a window manager the request is taken but the window keeps its size: the
  // full-screen picture would show as a magnified corner of itself.
  const auto covers = [this](const WindowPlacement& now) { return CoversDisplay(now); };
  if (!asked || !WaitForWindowArea(window_, covers, 0, kWindowSystemMs)) {
    SDL_SetWindowFullscreen(window_, 0);
    return false;
  }
  fullScreen_ = true;
  return true;
}

ClientSize SdlFormHost::ClientAreaSize() const {
  if (fullScreen_) return {pres::kFullScreenWidth, pres::kFullScreenHeight};
  return {pres::kScreenWidth, pres::kScreenHeight};
}

void SdlFormHost::UpdatePointer(bool playing) {
  const bool still = SDL_GetTicks64() - lastPointerMove_ >= kPointerRestMs;
  const bool hidden = fullScreen_ || (playing && still && !menu_.MenuOpen() && box_ == nullptr);
  if (hidden == pointerHidden_) return;
  pointerHidden_ = hidden;
  SDL_ShowCursor(hidden ? SDL_DISABLE : SDL_ENABLE);
}

void SdlFormHost::SetWindowScale(int scale) {
  scale_ = scale;
  if (fullScreen_ || (SDL_GetWindowFlags(window_) & SDL_WINDOW_HIDDEN) != 0) return;
  SDL_SetWindowSize(window_, pres::kScreenWidth * scale_,
                    pres::kScreenHeight * scale_ + MenuBarHeight());
  repaintWanted_ = kRepaintFrames;
}

int SdlFormHost::LargestWindowScale() const {
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &usable) != 0)
    return kLargestWindowScale;  // nothing to measure against
  // The window manager's frame, where there is one (0 before it has framed the window).
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0)
    top = left = bottom = right = 0;
  return LargestFittingScale(usable.w, usable.h, MenuBarHeight(), left + right, top + bottom);
}

void SdlFormHost::SetDrawingPosition(int left, int top) {
  drawingLeft_ = left;
  drawingTop_ = top;
}

bool SdlFormHost::AskOkCancel(std::string_view text) {
  Box box(kMessageBoxTitle, std::string(text), true);
  return RunBox(box);
}

void SdlFormHost::ShowMessage(std::string_view text) {
  Box box(kMessageBoxTitle, std::string(text), false);
  RunBox(box);
}

void SdlFormHost::Close() {
  closing_ = true;
}

}  // namespace tolvane
