#pragma once
// Whole-file reading and writing for the content tools.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tools {

// The file's bytes, or nothing when it cannot be read.
std::optional<std::vector<uint8_t>> ReadBytes(const std::string& path);
std::optional<std::string> ReadText(const std::string& path);

// Writes beside the target and renames over it, so a failed build step never leaves a
// half-written data file that a later step would take for good. False on failure.
bool WriteAtomically(const std::string& path, const void* data, size_t size);

}  // namespace tools
