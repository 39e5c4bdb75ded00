#pragma once
// Writes 16-bit PCM WAV files.
#include <cstdint>
#include <string>
#include <vector>

namespace vondra {

// Interleaved samples; false when the file cannot be written completely.
bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, int channels,
              int sampleRate);

}  // namespace vondra
