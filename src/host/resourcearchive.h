// The run's resource archive: a container named with -resource or appended to
// the runtime, whose members stand in for files the script names. Members are
// extracted on demand into the run's private temporary folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/yurabase.h"
#include "host/fmix.h"

namespace yura {

// Opens the container that starts at `base` in the file as the archive; false
// with the reason in `error`.
bool OpenResourceArchive(TYuraBase& state, std::string_view path, std::uint64_t base, std::string& error);

const TFileMixReader* ResourceArchiveOf(const TYuraBase& state);

// The temporary file that holds the archive's member of that name, extracted
// the first time it is asked for; empty when there is no archive or no such
// member. A member that cannot be extracted raises
// "実行ファイルに梱包されている"…"の展開に失敗しました。".
std::string ExtractResource(TYuraBase& state, std::string_view name);

// A copy of the archive in the run's temporary folder (TMP1.TMP, TMP2.TMP,
// ...) for a runtime started from this one; empty when there is none.
std::string CopyResourceArchive(TYuraBase& state);

}  // namespace yura
