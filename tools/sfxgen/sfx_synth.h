#pragma once
// Sound-effect synthesis from a small text description (see content/sounds/README.md):
// layers of simple waves or noise with a pitch sweep, envelope, low-pass and vibrato,
// summed, scaled to a given peak and written as 8-bit mono 22050 Hz PCM. The same
// description always gives the same samples.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sfxgen {

inline constexpr int kSampleRate = 22050;

enum class Wave { Sine, Square, Triangle, Saw, Noise };

struct Layer {
  Wave wave = Wave::Sine;
  double freqStart = 440;  // Hz; for noise, how often a new value is picked
  double freqEnd = 440;
  double sweep = 0;  // seconds from start to end frequency; 0 = the whole sound
  double level = 1;
  double start = 0;         // seconds
  double attack = 0.001;    // seconds
  double hold = 0;          // seconds at full level after the attack
  double decay = 0;         // exponential time constant after the hold; 0 = none
  double lowpass = 0;       // one-pole cutoff, Hz; 0 = off
  double vibratoRate = 0;   // Hz
  double vibratoDepth = 0;  // fraction of the frequency
};

struct Effect {
  int index = -1;     // position in the wave list
  double length = 0;  // seconds
  double peak = 0.5;  // loudest sample as a fraction of full scale
  uint32_t seed = 1;  // noise generator seed
  std::vector<Layer> layers;
};

// A description that cannot be read; what() is "name:line: reason".
class ParseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

Effect ParseEffect(std::string_view text, const std::string& name);
// Unsigned 8-bit samples, 128 = silence.
std::vector<uint8_t> Render(const Effect& effect);
// A complete WAV file image of 8-bit mono 22050 Hz samples.
std::vector<uint8_t> WavFile(const std::vector<uint8_t>& samples);

}  // namespace sfxgen
