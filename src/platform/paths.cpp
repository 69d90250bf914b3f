#include "platform/paths.h"

#include <climits>
#include <cstdlib>
#include <unistd.h>

#include <vector>

#include "platform/codepage.h"
#include "platform/filesystem.h"

namespace yura {
namespace {

bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Replaces each "\" that is a character of its own by "/".
std::string SlashSeparators(std::string_view sjis) {
  std::string out(sjis);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto b = static_cast<unsigned char>(out[i]);
    if (IsLead(b) && i + 1 < out.size())
      ++i;
    else if (b == '\\')
      out[i] = '/';
  }
  return out;
}

}  // namespace

std::string ToNativePath(std::string_view sjisPath) {
  std::string utf8 = SjisToUtf8(sjisPath);  // no 0x5C survives inside a character
  for (char& c : utf8)
    if (c == '\\') c = '/';
  return utf8;
}

std::string FromNativePath(std::string_view nativePath) { return Utf8ToSjis(nativePath); }

bool IsAbsolutePath(std::string_view sjisPath) {
  if (sjisPath.empty()) return false;
  if (sjisPath[0] == '/' || sjisPath[0] == '\\') return true;
  const auto c = static_cast<unsigned char>(sjisPath[0]);
  return sjisPath.size() >= 2 && sjisPath[1] == ':' && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
}

bool IsPathSeparatorAt(std::string_view sjisPath, std::size_t index) {
  for (std::size_t i = 0; i < sjisPath.size(); ++i) {
    const auto b = static_cast<unsigned char>(sjisPath[i]);
    const bool pair = IsLead(b) && i + 1 < sjisPath.size();
    if (i == index) return !pair && (b == '/' || b == '\\');
    if (pair) {
      if (index == i + 1) return false;
      ++i;
    }
  }
  return false;
}

std::string_view FileNamePart(std::string_view sjisPath) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < sjisPath.size(); ++i) {
    const auto b = static_cast<unsigned char>(sjisPath[i]);
    if (IsLead(b) && i + 1 < sjisPath.size())
      ++i;
    else if (b == '/' || b == '\\' || (b == ':' && i == 1))
      start = i + 1;
  }
  return sjisPath.substr(start);
}

std::string_view FolderPart(std::string_view sjisPath) {
  return sjisPath.substr(0, sjisPath.size() - FileNamePart(sjisPath).size());
}

std::string WithTrailingSeparator(std::string_view sjisFolder) {
  std::string out(sjisFolder);
  if (!out.empty() && !IsPathSeparatorAt(out, out.size() - 1)) out += '/';
  return out;
}

std::string AbsolutePath(std::string_view sjisPath) {
  std::string path = SlashSeparators(sjisPath);
  std::string prefix;
  if (path.size() >= 2 && path[1] == ':' && IsAbsolutePath(path)) {
    prefix = path.substr(0, 2);
    path.erase(0, 2);
  } else if (!IsAbsolutePath(path)) {
    path = CurrentFolder() + path;
  }
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(std::move(part));
    }
    start = end + 1;
  }
  std::string out = prefix;
  for (const std::string& part : parts) out += "/" + part;
  if (out == prefix) out += "/";
  const bool folder = !path.empty() && (path.back() == '/' || path.ends_with("/.") || path.ends_with("/.."));
  if (folder && out.back() != '/') out += '/';
  return out;
}

namespace {

// Follows the existing part of a native path; a dangling symbolic link is
// followed too, so that a link cannot hide where a write would go.
std::string ResolveNative(std::string native, int depth) {
  std::string rest;
  for (;;) {
    char resolved[PATH_MAX];
    if (::realpath(native.c_str(), resolved) != nullptr) {
      std::string out = resolved;
      if (!rest.empty()) out += (out == "/" ? "" : "/") + rest;
      return out;
    }
    char link[PATH_MAX];
    const ssize_t length = ::readlink(native.c_str(), link, sizeof link - 1);
    if (length > 0 && depth < 40) {
      std::string target(link, static_cast<std::size_t>(length));
      if (target[0] != '/') target = native.substr(0, native.rfind('/') + 1) + target;
      return ResolveNative(target + (rest.empty() ? "" : "/" + rest), depth + 1);
    }
    const std::size_t slash = native.rfind('/');
    if (slash == std::string::npos || native == "/") return native + (rest.empty() ? "" : "/" + rest);
    rest = native.substr(slash + 1) + (rest.empty() ? "" : "/" + rest);
    native = slash == 0 ? "/" : native.substr(0, slash);
  }
}

}  // namespace

std::string CanonicalPath(std::string_view sjisPath) {
  const std::string absolute = AbsolutePath(sjisPath);
  const bool folder = !absolute.empty() && absolute.back() == '/';
  std::string native = ToNativePath(absolute);
  if (folder && native.size() > 1) native.pop_back();
  std::string out = FromNativePath(ResolveNative(native, 0));
  // Components after a followed link may hold "." or "..".
  out = AbsolutePath(out);
  if (folder && !out.ends_with('/')) out += '/';
  if (!folder && out.size() > 1 && out.ends_with('/')) out.pop_back();
  return out;
}

}  // namespace yura
