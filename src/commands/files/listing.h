// Listing the entries that match a file pattern (a folder path followed by a
// file-name mask) for the enumeration, date, size and deletion commands.
// Entries come in name order, so every listing is the same from run to run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/fileops.h"

namespace yura {

struct TPatternMatch {
  std::string Folder;  // the pattern's folder part as written ("" for the current folder)
  std::vector<TDirEntry> Entries;
};

// The entries of the pattern's folder whose names match its mask; a pattern
// ending in a separator stands for everything in that folder.
TPatternMatch MatchPattern(std::string_view pattern);

// The ";"-separated patterns of a value.
std::vector<std::string_view> SplitPatterns(std::string_view value);

// Names of matching files, or of matching folders whose names do not begin
// with ".", each followed by CR LF.
std::string ListNames(std::string_view pattern, bool folders);

// The same as paths, in the pattern's folder and every folder below it,
// depth first, a folder's own matches before those of its subfolders.
// Symbolic links to folders are listed but never entered.
std::string ListPathsRecursively(std::string_view pattern, bool folders);

}  // namespace yura
