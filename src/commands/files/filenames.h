// How the file commands turn the names a script gives into the paths they
// use, and the checks that keep destructive commands away from places they
// must not touch.
#pragma once

#include <string>
#include <string_view>

namespace yura {

class TEngine;

// A popped value with leading and trailing bytes up to the space removed.
std::string PopTrimmed(TEngine& engine);

// For reading: a member of the resource archive stands in for the file;
// otherwise the name is looked up in the current folder, the script folder,
// the runtime's folder and the folder of the running file.
std::string ResolveForReading(TEngine& engine, std::string_view name);

// For changing: a relative name is looked up only in the current folder and
// the script folder, so nothing outside them is reached by accident.
std::string ResolveForChange(TEngine& engine, std::string_view name);

// A relative name taken from the script folder.
std::string InScriptFolder(TEngine& engine, std::string_view name);

// True when deleting the path would take away a root, the home folder or a
// folder above it, or would go through a symbolic link on the way.
bool IsProtectedFromDeletion(std::string_view path);

// The paths the file commands produce use "/" between folders.
std::string WithSlashes(std::string_view path);

}  // namespace yura
