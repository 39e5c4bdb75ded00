#pragma once
// The main window's host for a run without a window: nothing is shown, messages go to
// standard error, the quit question is never asked of anyone and answers Cancel.
#include "game/shell/form_host.h"

namespace tolvane::headless {

class HeadlessHost final : public FormHost {
 public:
  void ShowSplash() override {}
  void CloseSplash() override {}
  void SetCaption(std::string_view) override {}
  void ShowClientArea(int left, int top, int width, int height) override {
    placement_ = {left, top, width, height};
  }
  WindowPlacement Placement() const override { return placement_; }
  void SetPlacement(const WindowPlacement& placement) override { placement_ = placement; }
  bool SetFullScreen(bool on) override {
    fullScreen_ = on;
    return true;
  }
  ClientSize ClientAreaSize() const override;
  void SetDrawingPosition(int, int) override {}
  bool AskOkCancel(std::string_view) override { return false; }
  void ShowMessage(std::string_view text) override;
  void Close() override { closing_ = true; }

  bool Closing() const { return closing_; }

 private:
  WindowPlacement placement_;
  bool fullScreen_ = false;
  bool closing_ = false;
};

}  // namespace tolvane::headless
