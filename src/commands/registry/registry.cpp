#include "commands/registry/registry.h"

namespace yura {

void RegisterAll(TYuraBase& state) {
  // The vocabulary table comes with the language core.
  (void)state;
}

}  // namespace yura
