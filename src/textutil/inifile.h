// INI files: [section] lines and key=value lines. Section and key names
// compare without regard to ASCII case, as the platform's INI files do.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace yura {

class TIniFile {
 public:
  TIniFile() = default;
  explicit TIniFile(std::string_view text) { Load(text); }

  void Load(std::string_view text);
  std::string ToText() const;

  // The value (trimmed), or `fallback` when the section or key is missing.
  std::string Read(std::string_view section, std::string_view key, std::string_view fallback = {}) const;
  void Write(std::string_view section, std::string_view key, std::string_view value);
  bool HasSection(std::string_view section) const;

 private:
  struct TEntry {
    std::string Key, Value;
  };
  struct TSection {
    std::string Name;
    std::vector<TEntry> Entries;
  };
  const TSection* FindSection(std::string_view name) const;

  std::vector<TSection> sections_;
};

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace yura
