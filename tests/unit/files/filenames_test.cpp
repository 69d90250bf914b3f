#include "commands/files/filenames.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/fileops.h"
#include "platform/filesystem.h"
#include "platform/paths.h"
#include "platform/tempfolder.h"
#include "textutil/filemask.h"

namespace yura {
namespace {

TEST(DeletionGuard, RootsHomeAndLinksAreProtected) {
  TTempFolder temp;
  const std::string root = temp.Path();
  ASSERT_TRUE(CreateFolders(root + "home/user/docs"));
  ASSERT_TRUE(CreateFolders(root + "real/inner"));
  ASSERT_TRUE(CreateSymbolicLink(root + "real", root + "link"));
  const char* saved = std::getenv("HOME");
  const std::string savedHome = saved != nullptr ? saved : "";
  ::setenv("HOME", ToNativePath(root + "home/user").c_str(), 1);
  struct TCase {
    std::string path;
    bool is;
  } cases[] = {
      {"/", true},
      {"//", true},
      {root + "home/user", true},
      {root + "home/user/", true},
      {root + "home", true},
      {root + "home/user/docs", false},
      {root + "home/user/../user", true},
      {root + "real/inner", false},
      {root + "link", false},  // the link itself, not what it points to
      {root + "link/inner", true},
      {root + "link/inner/x.txt", true},
  };
  for (const TCase& c : cases) EXPECT_EQ(IsProtectedFromDeletion(c.path), c.is) << c.path;
  ::setenv("HOME", savedHome.c_str(), 1);
}

TEST(FileMask, StarsQuestionMarksAndCase) {
  struct TCase {
    const char* name;
    const char* mask;
    bool matches;
  } cases[] = {
      {"a.txt", "*.txt", true},     {"A.TXT", "*.txt", true},      {"a.txt", "*.TXT", true},
      {"a.txt.bak", "*.txt", false}, {"abc", "a?c", true},         {"ac", "a?c", false},
      {"abc", "*.*", true},         {"abc", "a*.*", true},         {"a.b.c", "*.c", true},
      {"表ソ.txt", "表?.txt", true}, {"表ソ.txt", "?ソ.*", true},   {"表", "\x95", false},
      {"", "*", true},              {"x", "", false},              {"aaaaaaaaaaaaaaab", "*a*a*a*a*c", false},
  };
  for (const TCase& c : cases) EXPECT_EQ(FileMaskMatches(c.name, c.mask), c.matches) << c.name << " " << c.mask;
}

}  // namespace
}  // namespace yura
