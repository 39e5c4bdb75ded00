#include "tools/sfxgen/sfx_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

namespace sfxgen {

namespace {

constexpr double kMaxIndex = 65535;        // far beyond any wave list
constexpr double kMaxLength = 10.0;        // seconds; longer is surely a typing error
constexpr double kEndFadeSeconds = 0.005;  // no click where the sound is cut

[[noreturn]] void Fail(const std::string& name, int line, const std::string& why) {
  throw ParseError(name + ":" + std::to_string(line) + ": " + why);
}

Wave ParseWave(const std::string& word, const std::string& name, int line) {
  if (word == "sine") return Wave::Sine;
  if (word == "square") return Wave::Square;
  if (word == "triangle") return Wave::Triangle;
  if (word == "saw") return Wave::Saw;
  if (word == "noise") return Wave::Noise;
  Fail(name, line, "unknown wave '" + word + "'");
}

// Reads `count` numbers (at least `required`) after the key; all must be finite and >= 0.
std::vector<double> Numbers(std::istringstream& in, size_t required, size_t count,
                            const std::string& name, int line, const std::string& key) {
  std::vector<double> values;
  std::string word;
  while (in >> word) {
    if (values.size() == count) Fail(name, line, "too many values for '" + key + "'");
    size_t used = 0;
    double v = 0;
    try {
      v = std::stod(word, &used);
    } catch (const std::exception&) {
      used = 0;
    }
    if (used != word.size() || !std::isfinite(v) || v < 0) {
      Fail(name, line, "'" + key + "' needs non-negative numbers, got '" + word + "'");
    }
    values.push_back(v);
  }
  if (values.size() < required) Fail(name, line, "'" + key + "' needs a value");
  return values;
}

// A small deterministic noise source (xorshift32), values in [-1, 1].
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed != 0 ? seed : 1) {}
  double Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483647.5 - 1.0;
  }

 private:
  uint32_t state_;
};

double Oscillator(Wave wave, double phase) {
  switch (wave) {
    case Wave::Sine:
      return std::sin(2 * std::numbers::pi * phase);
    case Wave::Square:
      return phase < 0.5 ? 1.0 : -1.0;
    case Wave::Triangle:
      return phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
    case Wave::Saw:
      return 2 * phase - 1;
    case Wave::Noise:
      break;
  }
  return 0;
}

double Envelope(const Layer& layer, double t) {
  if (t < 0) return 0;
  if (t < layer.attack) return t / layer.attack;
  const double afterHold = t - layer.attack - layer.hold;
  if (afterHold <= 0 || layer.decay <= 0) return 1;
  return std::exp(-afterHold / layer.decay);
}

void AddLayer(const Layer& layer, const Effect& effect, Noise& noise, std::vector<double>& mix) {
  const double sweep = layer.sweep > 0 ? layer.sweep : effect.length;
  const double ratio = layer.freqEnd / layer.freqStart;
  const double lowpassGain =
      layer.lowpass > 0 ? 1 - std::exp(-2 * std::numbers::pi * layer.lowpass / kSampleRate) : 1;
  double phase = 0;
  double held = noise.Next();
  double filtered = 0;
  for (size_t i = 0; i < mix.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate - layer.start;
    if (t < 0) continue;
    double freq = layer.freqStart * std::pow(ratio, std::min(t / sweep, 1.0));
    if (layer.vibratoRate > 0) {
      freq *= 1 + layer.vibratoDepth * std::sin(2 * std::numbers::pi * layer.vibratoRate * t);
    }
    phase += freq / kSampleRate;
    double value = 0;
    if (layer.wave == Wave::Noise) {
      if (phase >= 1) held = noise.Next();
      value = held;
    } else {
      value = Oscillator(layer.wave, phase - std::floor(phase));
    }
    phase -= std::floor(phase);
    filtered += lowpassGain * (value - filtered);
    mix[i] += layer.level * Envelope(layer, t) * filtered;
  }
}

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

Effect ParseEffect(std::string_view text, const std::string& name) {
  Effect effect;
  std::istringstream lines{std::string(text)};
  std::string raw;
  int line = 0;
  while (std::getline(lines, raw)) {
    ++line;
    raw = raw.substr(0, raw.find('#'));
    std::istringstream in(raw);
    std::string key;
    if (!(in >> key)) continue;
    if (key == "layer") {
      effect.layers.emplace_back();
      continue;
    }
    const bool global = key == "index" || key == "length" || key == "peak" || key == "seed";
    if (!global && effect.layers.empty()) Fail(name, line, "'" + key + "' before any 'layer'");
    Layer* layer = global ? nullptr : &effect.layers.back();
    if (key == "wave") {
      std::string word;
      in >> word;
      layer->wave = ParseWave(word, name, line);
      continue;
    }
    if (key == "freq" || key == "vibrato") {
      const auto v = Numbers(in, key == "freq" ? 1 : 2, 2, name, line, key);
      if (key == "vibrato") {
        layer->vibratoRate = v[0];
        layer->vibratoDepth = v[1];
      } else if (v[0] <= 0 || v.back() <= 0) {
        Fail(name, line, "'freq' must be above 0");
      } else {
        layer->freqStart = v[0];
        layer->freqEnd = v.back();
      }
      continue;
    }
    const double v = Numbers(in, 1, 1, name, line, key)[0];
    // Converting a number out of an integer's range is undefined, so it is refused first.
    if (key == "index") {
      if (v != std::floor(v) || v > kMaxIndex)
        Fail(name, line, "'index' must be a whole number up to 65535");
      effect.index = static_cast<int>(v);
    } else if (key == "length") {
      if (v <= 0 || v > kMaxLength) Fail(name, line, "'length' must be above 0 and at most 10 s");
      effect.length = v;
    } else if (key == "peak") {
      if (v <= 0 || v > 1) Fail(name, line, "'peak' must be above 0 and at most 1");
      effect.peak = v;
    } else if (key == "seed") {
      if (v != std::floor(v) || v > UINT32_MAX)
        Fail(name, line, "'seed' must be a whole number below 2^32");
      effect.seed = static_cast<uint32_t>(v);
    } else if (key == "sweep") {
      layer->sweep = v;
    } else if (key == "level") {
      layer->level = v;
    } else if (key == "start") {
      layer->start = v;
    } else if (key == "attack") {
      layer->attack = std::max(v, 1.0 / kSampleRate);
    } else if (key == "hold") {
      layer->hold = v;
    } else if (key == "decay") {
      layer->decay = v;
    } else if (key == "lowpass") {
      layer->lowpass = v;
    } else {
      Fail(name, line, "unknown setting '" + key + "'");
    }
  }
  if (effect.index < 0) Fail(name, line, "no 'index'");
  if (effect.length <= 0) Fail(name, line, "no 'length'");
  if (effect.layers.empty()) Fail(name, line, "no 'layer'");
  return effect;
}

std::vector<uint8_t> Render(const Effect& effect) {
  const auto count = static_cast<size_t>(std::lround(effect.length * kSampleRate));
  std::vector<double> mix(count, 0.0);
  Noise noise(effect.seed);
  for (const Layer& layer : effect.layers) AddLayer(layer, effect, noise, mix);

  double loudest = 0;
  for (double v : mix) loudest = std::max(loudest, std::abs(v));
  const double gain = loudest > 0 ? effect.peak / loudest : 0;
  const auto fade = static_cast<size_t>(kEndFadeSeconds * kSampleRate);

  std::vector<uint8_t> samples(count);
  for (size_t i = 0; i < count; ++i) {
    double v = mix[i] * gain;
    const size_t left = count - i;
    if (left < fade) v *= static_cast<double>(left) / static_cast<double>(fade);
    samples[i] = static_cast<uint8_t>(std::clamp(std::lround(128 + 127 * v), 0L, 255L));
  }
  return samples;
}

std::vector<uint8_t> WavFile(const std::vector<uint8_t>& samples) {
  const auto dataSize = static_cast<uint32_t>(samples.size());
  std::vector<uint8_t> out;
  out.reserve(44 + samples.size() + 1);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  PutLe(out, 36 + dataSize + (dataSize & 1), 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);  // PCM
  PutLe(out, 1, 2);  // mono
  PutLe(out, kSampleRate, 4);
  PutLe(out, kSampleRate, 4);  // bytes per second
  PutLe(out, 1, 2);            // block align
  PutLe(out, 8, 2);            // bits per sample
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  PutLe(out, dataSize, 4);
  out.insert(out.end(), samples.begin(), samples.end());
  if ((dataSize & 1) != 0) out.push_back(0);  // chunks are padded to even length
  return out;
}

}  // namespace sfxgen
