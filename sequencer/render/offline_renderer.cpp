#include "sequencer/render/offline_renderer.h"

#include <algorithm>

namespace vondra {

// Audio is rendered this far behind the virtual clock, so every message of a block is known
// before the block is: the engine reads events up to a period after their ideal time.
inline constexpr uint64_t kRenderLagMs = 20;

class OfflineRenderer::RenderClock final : public Clock {
 public:
  explicit RenderClock(OfflineRenderer& owner) : owner_(owner) {}
  uint32_t Now() override { return static_cast<uint32_t>(now_); }
  void Sleep(uint32_t ms) override {
    now_ += ms;
    if (now_ > kRenderLagMs) owner_.RenderUntil(now_ - kRenderLagMs);
  }
  uint32_t MinimumPeriod() override { return 1; }
  uint64_t Total() const { return now_; }

 private:
  OfflineRenderer& owner_;
  uint64_t now_ = 0;
};

std::unique_ptr<OfflineRenderer> OfflineRenderer::Create(const AnalysisEntries& analysis,
                                                         MessageSink& messages,
                                                         const std::string& soundFont,
                                                         uint32_t period) {
  auto synth = FluidSynthOutput::Open(FluidSynthOutput::Mode::kOffline, soundFont);
  if (!synth) return nullptr;
  std::unique_ptr<OfflineRenderer> renderer(new OfflineRenderer());
  renderer->clock_ = std::make_unique<RenderClock>(*renderer);
  renderer->synth_ = synth.get();
  // Messages go on the frame of their ideal time, counted from where the virtual clock stands.
  RenderClock* clock = renderer->clock_.get();
  synth->SetFrameClock(
      [clock] { return static_cast<int64_t>(clock->Total() * kSynthSampleRate / 1000); });
  auto handOver = std::make_shared<std::unique_ptr<FluidSynthOutput>>(std::move(synth));
  renderer->player_ = std::make_unique<Player>(
      Platform{renderer->clock_.get(),
               [handOver]() -> std::unique_ptr<MidiOutput> { return std::move(*handOver); }, false},
      messages, analysis);
  if (renderer->player_->Init(period) != 0 || !renderer->player_->Ready()) return nullptr;
  return renderer;
}

OfflineRenderer::~OfflineRenderer() = default;

int32_t OfflineRenderer::Play(const std::vector<uint8_t>& image, int32_t repeat, int32_t invert) {
  image_ = image;
  return player_->Play(&image_, &image_, repeat, invert);
}

void OfflineRenderer::Advance(uint32_t ms) {
  const uint32_t half = std::max<uint32_t>(1, player_->Period() / 2);
  const uint64_t end = clock_->Total() + ms;
  while (clock_->Total() < end) {
    clock_->Sleep(std::min<uint64_t>(half, end - clock_->Total()));
    player_->Step(clock_->Now());
  }
}

void OfflineRenderer::Stop() {
  player_->Stop();
  // The stop's messages go out over the following virtual time: the release is heard out.
  while (player_->engine().StopPending()) Advance(player_->Period() / 2);
}

void OfflineRenderer::Fadeout(int32_t fadeTime) {
  player_->Fadeout(fadeTime);
}

bool OfflineRenderer::Playing() const {
  return player_->engine().IsPlaying() || player_->engine().StopPending();
}

uint32_t OfflineRenderer::NowMs() const {
  return clock_->Now();
}

const std::vector<int16_t>& OfflineRenderer::Samples() {
  RenderUntil(clock_->Total());
  return samples_;
}

void OfflineRenderer::RenderUntil(uint64_t ms) {
  const uint64_t target = ms * kSynthSampleRate / 1000;
  if (target <= renderedFrames_) return;
  const auto frames = static_cast<int>(target - renderedFrames_);
  const size_t offset = samples_.size();
  samples_.resize(offset + 2 * static_cast<size_t>(frames));
  synth_->Render(samples_.data() + offset, frames);
  renderedFrames_ = target;
}

}  // namespace vondra
