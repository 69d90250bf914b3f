#include "textutil/inifile.h"

#include "source/textlines.h"

namespace yura {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

void TIniFile::Load(std::string_view text) {
  sections_.clear();
  for (std::string_view raw : SplitLines(text)) {
    const std::string_view line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const std::size_t close = line.find(']');
      sections_.push_back({std::string(Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1))), {}});
      continue;
    }
    if (sections_.empty()) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    sections_.back().Entries.push_back({std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1)))});
  }
}

std::string TIniFile::ToText() const {
  std::string out;
  for (const TSection& section : sections_) {
    out += "[" + section.Name + "]\r\n";
    for (const TEntry& entry : section.Entries) out += entry.Key + "=" + entry.Value + "\r\n";
  }
  return out;
}

const TIniFile::TSection* TIniFile::FindSection(std::string_view name) const {
  for (const TSection& section : sections_)
    if (EqualsIgnoringAsciiCase(section.Name, name)) return &section;
  return nullptr;
}

bool TIniFile::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

std::string TIniFile::Read(std::string_view section, std::string_view key, std::string_view fallback) const {
  if (const TSection* found = FindSection(section))
    for (const TEntry& entry : found->Entries)
      if (EqualsIgnoringAsciiCase(entry.Key, key)) return entry.Value;
  return std::string(fallback);
}

void TIniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  TSection* target = const_cast<TSection*>(FindSection(section));
  if (target == nullptr) {
    sections_.push_back({std::string(section), {}});
    target = &sections_.back();
  }
  for (TEntry& entry : target->Entries)
    if (EqualsIgnoringAsciiCase(entry.Key, key)) {
      entry.Value = value;
      return;
    }
  target->Entries.push_back({std::string(key), std::string(value)});
}

}  // namespace yura
