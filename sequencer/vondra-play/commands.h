#pragma once
// The things vondra-play does. Each returns the process exit status.
#include "options.h"

namespace vondra::play {

int PlayCommand(const Options& options);
int RenderCommand(const Options& options);
int AnalyseCommand(const Options& options);
int PortsCommand();

}  // namespace vondra::play
