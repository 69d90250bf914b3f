#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace yura {
namespace {

TEST(FileDialogs, FilterAndDefaultExtension) {
  const struct {
    const char* script;
    const char* filter;
    const char* extension;
  } cases[] = {
      {"「txt」の、読込ファイル選択", "txt 形式(*.txt)|*.txt|全て(*.*)|*.*", ""},
      {"「.txt」の、読込ファイル選択", "txt 形式(*.txt)|*.txt|全て(*.*)|*.*", ""},
      {"「文書|*.doc|全て|*.*」の、書込ファイル選択", "文書|*.doc|全て|*.*", "doc"},
      {"「csv」の、書込ファイル選択", "csv 形式(*.csv)|*.csv|全て(*.*)|*.*", "csv"},
  };
  for (const auto& c : cases) {
    TEngineFixture f;
    f.Run(c.script);
    EXPECT_EQ(f.host.FakeDialogs.Filter, c.filter) << c.script;
    EXPECT_EQ(f.host.FakeDialogs.DefaultExtension, c.extension) << c.script;
  }
}

}  // namespace
}  // namespace yura
