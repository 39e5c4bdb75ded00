#include "game/shell/imgui_layer.h"

#include <SDL2/SDL.h>
#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>
#include <imgui_internal.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace tolvane {
namespace {

// Without a platform backend every frame advances by the same step, so pictures repeat.
constexpr float kFixedFrameSeconds = 1.0f / 60.0f;

}  // namespace

ImGuiLayer::ImGuiLayer(SDL_Window* window, SDL_Renderer* renderer, const std::string& fontPath,
                       std::string_view glyphText)
    : window_(window), fontPath_(fontPath) {
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

  if (window_ != nullptr) ImGui_ImplSDL2_InitForSDLRenderer(window_);
  ImGui_ImplSDLRenderer_Init(renderer);
  glyphs_.AddRanges(io.Fonts->GetGlyphRangesDefault());  // printable ASCII and Latin-1
  AddChars(glyphText);
  BuildFont();
  if (!japanese_) {
    std::fprintf(stderr, "tolvane: the Japanese font %s is missing; menus use a plain font\n",
                 fontPath.c_str());
  }
}

void ImGuiLayer::BuildFont() {
  ImGuiIO& io = ImGui::GetIO();
  io.Fonts->Clear();
  ranges_.clear();
  glyphs_.BuildRanges(&ranges_);
  std::error_code error;
  japanese_ = std::filesystem::is_regular_file(fontPath_, error) &&
              io.Fonts->AddFontFromFileTTF(fontPath_.c_str(), kJapaneseFontSize, nullptr,
                                           ranges_.Data) != nullptr;
  if (!japanese_) io.Fonts->AddFontDefault();
  fontSize_ = io.Fonts->ConfigData[0].SizePixels;
  // The renderer's copy is made from the new atlas at the next frame.
  ImGui_ImplSDLRenderer_DestroyFontsTexture();
  fontMade_ = false;
}

bool ImGuiLayer::AddChars(std::string_view text) {
  const char* next = text.data();
  const char* const end = text.data() + text.size();
  bool added = false;
  while (next < end) {
    unsigned int c = 0;
    next += ImTextCharFromUtf8(&c, next, end);
    if (c == 0 || c > IM_UNICODE_CODEPOINT_MAX || glyphs_.GetBit(c)) continue;
    glyphs_.SetBit(c);
    added = true;
  }
  return added;
}

void ImGuiLayer::AddGlyphs(std::string_view text) {
  if (AddChars(text)) BuildFont();
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
  ImGui_ImplSDLRenderer_NewFrame();  // builds the atlas and its texture when there is none
  if (!fontMade_) {
    // The renderer holds the atlas now; the font file and the atlas's pixels can go.
    ImGui::GetIO().Fonts->ClearTexData();
    ImGui::GetIO().Fonts->ClearInputData();
    fontMade_ = true;
  }
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
  // Known before the atlas is built, so the window can be made at its size.
  return static_cast<int>(std::ceil(fontSize_ + ImGui::GetStyle().FramePadding.y * 2.0f));
}

}  // namespace tolvane
