#include "game/shell/sdl_form_host.h"

#include <SDL2/SDL.h>
#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "game/replay/replays.h"
#include "game/shell/form_main.h"
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

void SetActive(bool active) {
  if (pres::FrameTimer* timer = pres::Services().timer) timer->SetActive(active);
  if (pres::InputDevice* input = pres::Services().input) input->SetActive(active);
}

}  // namespace

SdlFormHost::SdlFormHost() {
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
  imgui_ = std::make_unique<ImGuiLayer>(window_, renderer_);
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

  SDL_Rect picture{drawingLeft_, MenuBarHeight() + drawingTop_, pres::kScreenWidth,
                   pres::kScreenHeight};
  if (fullScreen_) {
    // The 640 x 480 screen, as large as the display allows with its aspect kept, centred.
    const double scale = std::min(double(outputWidth) / pres::kFullScreenWidth,
                                  double(outputHeight) / pres::kFullScreenHeight);
    const int screenLeft = (outputWidth - int(std::lround(pres::kFullScreenWidth * scale))) / 2;
    const int screenTop = (outputHeight - int(std::lround(pres::kFullScreenHeight * scale))) / 2;
    picture = SDL_Rect{screenLeft + int(std::lround(drawingLeft_ * scale)),
                       screenTop + int(std::lround(drawingTop_ * scale)),
                       int(std::lround(pres::kScreenWidth * scale)),
                       int(std::lround(pres::kScreenHeight * scale))};
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
  if (box_->question) {
    ImGui::SameLine();
    if (ImGui::Button(kCancelCaption, ImVec2(kBoxButtonWidth, 0.0f))) box_->answer = false;
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
  Box* outer = box_;
  box_ = &box;
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
      } else if (event.type == SDL_KEYDOWN && event.key.repeat == 0) {
        const SDL_Keycode key = event.key.keysym.sym;
        if (key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_SPACE) box.answer = true;
        if (key == SDLK_ESCAPE) box.answer = !box.question;
      } else if (event.type == SDL_KEYUP) {
        // Keys let go while the box is open must not stay held in the game.
        if (pres::InputDevice* input = pres::Services().input) {
          input->KeyUp(pres::VirtualKeyFromSdl(event.key.keysym.sym));
        }
      }
    } while (!box.answer.has_value() && SDL_PollEvent(&event) != 0);
    Repaint();
  }
  box_ = outer;
  Repaint();
  return *box.answer;
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
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      SetActive(false);
      break;
    default:
      repaintWanted_ = kRepaintFrames;
      break;  // shown, exposed, moved, restored
  }
  return true;
}

void SdlFormHost::HandleEvent(const SDL_Event& event) {
  imgui_->ProcessEvent(event);
  if (HandleWindowEvent(event)) return;
  switch (event.type) {
    case SDL_KEYDOWN:
      HandleKey(event);
      break;
    case SDL_KEYUP:
      if (pres::InputDevice* input = pres::Services().input) {
        input->KeyUp(pres::VirtualKeyFromSdl(event.key.keysym.sym));
      }
      if (pres::VirtualKeyFromSdl(event.key.keysym.sym) == kFastForwardKey) SetFastForward(false);
      break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
      if (!fullScreen_) repaintWanted_ = kRepaintFrames;
      break;
    default:
      break;
  }
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
  Box box{std::string(title), std::string(text), false, std::nullopt};
  RunBox(box);
}

void SdlFormHost::ShowSplash() {
  splash_ = std::make_unique<SplashWindow>();
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
  SDL_SetWindowSize(window_, width, height + MenuBarHeight());
  SDL_SetWindowPosition(window_, left, top);
  repaintWanted_ = kRepaintFrames;
}

WindowPlacement SdlFormHost::Placement() const {
  WindowPlacement placement;
  SDL_GetWindowPosition(window_, &placement.left, &placement.top);
  SDL_GetWindowSize(window_, &placement.width, &placement.height);
  return placement;
}

void SdlFormHost::SetPlacement(const WindowPlacement& placement) {
  SDL_SetWindowSize(window_, placement.width, placement.height);
  SDL_SetWindowPosition(window_, placement.left, placement.top);
}

void SdlFormHost::SetFullScreen(bool on) {
  if (on == fullScreen_) return;
  if (SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
    std::fprintf(stderr, "tolvane: cannot switch the screen mode: %s\n", SDL_GetError());
  }
  fullScreen_ = on;
  repaintWanted_ = kRepaintFrames;
}

ClientSize SdlFormHost::ClientAreaSize() const {
  if (fullScreen_) return {pres::kFullScreenWidth, pres::kFullScreenHeight};
  return {pres::kScreenWidth, pres::kScreenHeight};
}

void SdlFormHost::SetDrawingPosition(int left, int top) {
  drawingLeft_ = left;
  drawingTop_ = top;
}

bool SdlFormHost::AskOkCancel(std::string_view text) {
  Box box{kMessageBoxTitle, std::string(text), true, std::nullopt};
  return RunBox(box);
}

void SdlFormHost::ShowMessage(std::string_view text) {
  Box box{kMessageBoxTitle, std::string(text), false, std::nullopt};
  RunBox(box);
}

void SdlFormHost::Close() {
  closing_ = true;
}

}  // namespace tolvane
