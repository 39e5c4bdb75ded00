#include "presentation/services.h"

namespace pres {

ServiceSet& Services() {
  static ServiceSet services;
  return services;
}

}  // namespace pres
