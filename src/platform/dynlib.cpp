#include "platform/dynlib.h"

#include <dlfcn.h>

#include "platform/paths.h"

namespace yura {

std::unique_ptr<TDynamicLibrary> TDynamicLibrary::Open(std::string_view sjisPath) {
  const std::string path = ToNativePath(sjisPath);
  if (path.empty()) return nullptr;
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return nullptr;
  return std::unique_ptr<TDynamicLibrary>(new TDynamicLibrary(handle));
}

TDynamicLibrary::~TDynamicLibrary() { ::dlclose(handle_); }

void* TDynamicLibrary::Symbol(std::string_view name) const {
  return ::dlsym(handle_, std::string(name).c_str());
}

}  // namespace yura
