// The per-run private temporary folder: made on first use with mode 0700,
// removed with everything in it when the run ends. Files in it are created
// exclusively, so nothing else can have placed a file or link there first.
#pragma once

#include <string>
#include <string_view>

namespace yura {

class TTempFolder {
 public:
  TTempFolder() = default;
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  ~TTempFolder();

  // The folder as a script path ending in "/"; empty when it cannot be made.
  const std::string& Path();

  // Creates a new, empty file with the given content; returns its script
  // path, or empty when the name is unsafe or the file cannot be made.
  // Names holding "/", "\", ":" or NUL, and the names "." and "..", are
  // refused.
  std::string CreateFile(std::string_view sjisName, std::string_view content);

 private:
  std::string path_;
  bool tried_ = false;
};

// The first of folder + base + 1 + extension, folder + base + 2 + extension, ...
// that does not exist. An empty folder means `fallbackFolder`.
std::string UniqueTempName(std::string_view sjisFolder, std::string_view sjisName, std::string_view fallbackFolder);

bool IsSafeMemberName(std::string_view sjisName);

}  // namespace yura
