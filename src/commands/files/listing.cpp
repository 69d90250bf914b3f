#include "commands/files/listing.h"

#include "commands/files/filenames.h"
#include "platform/paths.h"
#include "source/textlines.h"
#include "textutil/filemask.h"

namespace yura {
namespace {

bool Listed(const TDirEntry& entry, bool folders) {
  return folders ? entry.IsFolder && !entry.Name.starts_with('.') : !entry.IsFolder;
}

}  // namespace

TPatternMatch MatchPattern(std::string_view pattern) {
  TPatternMatch match;
  match.Folder = std::string(FolderPart(pattern));
  std::string_view mask = FileNamePart(pattern);
  if (mask.empty()) mask = "*";
  const auto entries = ListFolder(match.Folder.empty() ? std::string_view(".") : std::string_view(match.Folder));
  if (!entries) return match;
  for (const TDirEntry& entry : *entries)
    if (FileMaskMatches(entry.Name, mask)) match.Entries.push_back(entry);
  return match;
}

std::vector<std::string_view> SplitPatterns(std::string_view value) {
  std::vector<std::string_view> patterns;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = value.find(';', start);
    patterns.push_back(value.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return patterns;
}

std::string ListNames(std::string_view pattern, bool folders) {
  std::string out;
  for (const TDirEntry& entry : MatchPattern(pattern).Entries)
    if (Listed(entry, folders)) out.append(entry.Name).append(kCrLf);
  return out;
}

std::string ListPathsRecursively(std::string_view pattern, bool folders) {
  std::string_view mask = FileNamePart(pattern);
  if (mask.empty()) mask = "*";
  std::string out;
  // Folders still to visit, the next one last.
  std::vector<std::string> pending{WithSlashes(FolderPart(pattern))};
  while (!pending.empty()) {
    const std::string folder = std::move(pending.back());
    pending.pop_back();
    const auto entries = ListFolder(folder.empty() ? std::string_view(".") : std::string_view(folder));
    if (!entries) continue;
    for (const TDirEntry& entry : *entries)
      if (Listed(entry, folders) && FileMaskMatches(entry.Name, mask)) out.append(folder).append(entry.Name).append(kCrLf);
    for (auto it = entries->rbegin(); it != entries->rend(); ++it)
      if (it->IsFolder && !it->IsLink && !it->Name.starts_with('.')) pending.push_back(folder + it->Name + "/");
  }
  return out;
}

}  // namespace yura
