#pragma once
// The three things vondra-play does. Each returns the process exit status.
#include "options.h"

namespace vondra::play {

int PlayCommand(const Options& options);
int RenderCommand(const Options& options);
int AnalyseCommand(const Options& options);

}  // namespace vondra::play
