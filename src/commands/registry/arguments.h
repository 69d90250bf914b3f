// Reading command arguments the way several families do.
#pragma once

#include <string>
#include <string_view>

#include "core/hash.h"

namespace yura {

class TEngine;

// A word named by an argument: as written, or the text of a backquoted
// literal (doubled backquotes made single).
std::string Unbackquote(std::string_view text);
std::string PopName(TEngine& engine);

// The word of that name, made as an empty variable of the current level (with
// the type tag given) when missing; a read-only variable raises
// "…は、読取専用です。".
TNodeRef WritableWord(TEngine& engine, const std::string& name, std::string_view newTag = {});

// A value read as a number and truncated toward zero (0 when out of range).
long long PopTruncated(TEngine& engine);

// A *number* argument: the numeric value truncated toward zero; outside the
// signed 32-bit range it is the range error.
long long PopNumberArgument(TEngine& engine);

// An *integer* argument: the value read as an integer literal (decimal, or
// hexadecimal after "$"); anything else gives `fallback`.
long long PopIntegerArgument(TEngine& engine, long long fallback);

// ""%s"命令の引数に誤りがあります。" with the command's name, and an addition.
[[noreturn]] void RaiseArgumentError(TEngine& engine, const THashNode& entry, std::string_view addition = {});

// タブ文字の個数 as a tab width.
long TabWidth(TEngine& engine);

}  // namespace yura
