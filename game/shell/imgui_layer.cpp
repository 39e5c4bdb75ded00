#include "game/shell/imgui_layer.h"

#include <SDL2/SDL.h>
#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace tolvane {
namespace {

// Without a platform backend every frame advances by the same step, so pictures repeat.
constexpr float kFixedFrameSeconds = 1.0f / 60.0f;

}  // namespace

ImGuiLayer::ImGuiLayer(SDL_Window* window, SDL_Renderer* renderer, const std::string& fontPath)
    : window_(window) {
  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;  // the working folder is the program's: write nothing there
  io.LogFilename = nullptr;
  ImGui::StyleColorsLight();
  ImGuiStyle& style = ImGui::GetStyle();
  style.WindowRounding = 0.0f;
  style.PopupRounding = 0.0f;
  style.FrameRounding = 0.0f;

  std::error_code error;
  if (std::filesystem::is_regular_file(fontPath, error)) {
    japanese_ = io.Fonts->AddFontFromFileTTF(fontPath.c_str(), kJapaneseFontSize, nullptr,
                                             io.Fonts->GetGlyphRangesJapanese()) != nullptr;
  }
  if (!japanese_) {
    std::fprintf(stderr, "tolvane: the Japanese font %s is missing; menus use a plain font\n",
                 fontPath.c_str());
    io.Fonts->AddFontDefault();
  }
  if (window_ != nullptr) ImGui_ImplSDL2_InitForSDLRenderer(window_);
  ImGui_ImplSDLRenderer_Init(renderer);
}

ImGuiLayer::~ImGuiLayer() {
  ImGui_ImplSDLRenderer_Shutdown();
  if (window_ != nullptr) ImGui_ImplSDL2_Shutdown();
  ImGui::DestroyContext();
}

void ImGuiLayer::ProcessEvent(const SDL_Event& event) {
  if (window_ != nullptr) ImGui_ImplSDL2_ProcessEvent(&event);
}

void ImGuiLayer::BeginFrame(int displayWidth, int displayHeight) {
  ImGui_ImplSDLRenderer_NewFrame();
  if (window_ != nullptr) {
    ImGui_ImplSDL2_NewFrame();
  } else {
    ImGuiIO& io = ImGui::GetIO();
    io.DeltaTime = kFixedFrameSeconds;
  }
  ImGui::GetIO().DisplaySize =
      ImVec2(static_cast<float>(displayWidth), static_cast<float>(displayHeight));
  ImGui::NewFrame();
}

void ImGuiLayer::EndFrame() {
  ImGui::Render();
  ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
}

int ImGuiLayer::MenuBarHeight() const {
  // The font's own size is known only once the atlas is built; its configuration has it now.
  const ImGuiIO& io = ImGui::GetIO();
  const float fontSize =
      io.Fonts->ConfigData.empty() ? kJapaneseFontSize : io.Fonts->ConfigData[0].SizePixels;
  return static_cast<int>(std::ceil(fontSize + ImGui::GetStyle().FramePadding.y * 2.0f));
}

}  // namespace tolvane
