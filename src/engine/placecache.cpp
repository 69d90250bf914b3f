#include "engine/placecache.h"

#include <cstdlib>
#include <string_view>

namespace yura {

bool CachesEnabledByEnvironment() {
  static const bool enabled = [] {
    const char* off = std::getenv("YURAHOSI_NO_CACHE");
    return off == nullptr || std::string_view(off) != "1";
  }();
  return enabled;
}

}  // namespace yura
