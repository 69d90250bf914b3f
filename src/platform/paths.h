// Path mapping between script paths (Shift_JIS, "\" or "/" separators, maybe a
// drive) and the paths of this operating system (UTF-8, "/").
#pragma once

#include <string>
#include <string_view>

namespace yura {

// Script path -> native path: converted to UTF-8 first, then every "\" becomes
// "/" (so the 0x5C trail byte of a double-byte character is never touched).
std::string ToNativePath(std::string_view sjisPath);

// Native path -> script path (Shift_JIS, "/" kept).
std::string FromNativePath(std::string_view nativePath);

// Starts with "/" or "\", or names a drive ("X:").
bool IsAbsolutePath(std::string_view sjisPath);

// True for "/" and for a "\" that is a character of its own.
bool IsPathSeparatorAt(std::string_view sjisPath, std::size_t index);

// The part after the last separator, and the part up to and including it.
std::string_view FileNamePart(std::string_view sjisPath);
std::string_view FolderPart(std::string_view sjisPath);

// An absolute script path for `sjisPath`, relative ones taken from the current
// folder; "\" becomes "/", "." and ".." are resolved textually.
std::string AbsolutePath(std::string_view sjisPath);

// The canonical form of a path: absolute, "." and ".." resolved, symbolic
// links of its existing part followed. The part that does not exist yet is
// kept as written.
std::string CanonicalPath(std::string_view sjisPath);

// Appends "/" unless the text already ends in a separator (or is empty).
std::string WithTrailingSeparator(std::string_view sjisFolder);

}  // namespace yura
