#include "commands/files/filenames.h"

#include "engine/engine.h"
#include "engine/subroutines.h"
#include "host/resourcearchive.h"
#include "platform/fileops.h"
#include "platform/filesystem.h"
#include "platform/paths.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

bool Exists(const std::string& path) { return FileExists(path) || FolderExists(path); }

}  // namespace

std::string PopTrimmed(TEngine& engine) { return std::string(Trim(engine.PopValue())); }

std::string ResolveForReading(TEngine& engine, std::string_view name) {
  if (std::string extracted = ExtractResource(engine.State(), name); !extracted.empty()) return extracted;
  return FindFile(engine, std::string(name));
}

std::string ResolveForChange(TEngine& engine, std::string_view name) {
  const std::string path(name);
  if (path.empty() || IsAbsolutePath(path) || Exists(path)) return path;
  const std::string& folder = engine.State().ScriptFolder;
  if (!folder.empty() && Exists(WithTrailingSeparator(folder) + path)) return WithTrailingSeparator(folder) + path;
  return path;
}

std::string InScriptFolder(TEngine& engine, std::string_view name) {
  const std::string& folder = engine.State().ScriptFolder;
  if (name.empty() || IsAbsolutePath(name) || folder.empty()) return std::string(name);
  return WithTrailingSeparator(folder) + std::string(name);
}

bool IsProtectedFromDeletion(std::string_view path) {
  std::string absolute = AbsolutePath(path);
  while (absolute.size() > 1 && absolute.back() == '/') absolute.pop_back();
  // The folder that holds the entry must be reached without links.
  const std::string folder(FolderPart(absolute));
  if (CanonicalPath(folder) != AbsolutePath(folder)) return true;
  if (absolute == "/") return true;
  const std::string home = HomeFolder();
  return !home.empty() && WithTrailingSeparator(home).starts_with(absolute + "/");
}

std::string WithSlashes(std::string_view path) {
  std::string out(path);
  for (std::size_t i = 0; i < out.size(); i += CharLengthAt(out, i))
    if (out[i] == '\\' && CharLengthAt(out, i) == 1) out[i] = '/';
  return out;
}

}  // namespace yura
