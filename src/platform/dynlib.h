// Libraries loaded at run time by scripts (the DLL commands).
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace yura {

class TDynamicLibrary {
 public:
  // Loads the library named by a script path (a bare name is searched the
  // system's way); nothing when it cannot be loaded.
  static std::unique_ptr<TDynamicLibrary> Open(std::string_view sjisPath);
  ~TDynamicLibrary();
  TDynamicLibrary(const TDynamicLibrary&) = delete;
  TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

  void* Symbol(std::string_view name) const;

 private:
  explicit TDynamicLibrary(void* handle) : handle_(handle) {}
  void* handle_;
};

}  // namespace yura
