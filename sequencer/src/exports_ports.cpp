// The C interface of the ALSA port list (vondra_render.h).
#include "sequencer/include/vondra_render.h"
#include "sequencer/midiout/alsa_link.h"

extern "C" {

int32_t vondraListPorts(VondraPortVisitor visit, void* context) {
  const auto ports = vondra::ListWritablePorts();
  if (!ports) return -1;
  if (visit != nullptr) {
    for (const auto& port : *ports) visit(port.c_str(), context);
  }
  return static_cast<int32_t>(ports->size());
}

}  // extern "C"
