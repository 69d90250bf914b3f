// The few file-system services the host and the engine need, on script paths.
#pragma once

#include <string>
#include <string_view>

namespace yura {

bool FileExists(std::string_view sjisPath);
bool FolderExists(std::string_view sjisPath);

// Appends bytes to a file, creating it when missing; false on failure.
bool AppendToFile(std::string_view sjisPath, std::string_view bytes);

// Creates or empties the file and writes the bytes; false on failure.
bool WriteWholeFile(std::string_view sjisPath, std::string_view bytes);

// Deletes a file (not a folder); false when it could not be deleted.
bool RemoveFile(std::string_view sjisPath);

// The low 32 bits of a high-resolution monotonic clock.
unsigned HighResolutionTicks();

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(std::string_view sjisPath, std::string& bytes);

// The current folder as a script path ending in "/".
std::string CurrentFolder();
bool ChangeCurrentFolder(std::string_view sjisFolder);

// The runtime's own executable, as a script path.
std::string RuntimeExecutablePath();

// An environment variable's value as a script text (empty when unset).
std::string EnvironmentValue(const char* name);

}  // namespace yura
