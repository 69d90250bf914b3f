// Character-wise operations on Shift_JIS texts shared by the string commands.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace yura {

std::size_t CharCount(std::string_view text);

// The characters at positions start .. start+count-1 (1-based) that exist;
// a start below 1 shortens the result.
std::string CharWindow(std::string_view text, long long start, long long count);
// The same on bytes.
std::string ByteWindow(std::string_view text, long long start, long long count);

// The byte offset of the first occurrence of `needle` that starts on a
// character boundary at or after `from` (itself a boundary); npos when none
// or when the needle is empty.
std::size_t FindChars(std::string_view text, std::string_view needle, std::size_t from = 0);

// Every occurrence (on character boundaries) replaced; the search goes on
// after each replacement, so a replacement is never searched again. Linear in
// the text.
std::string ReplaceAllChars(const std::string& source, const std::string& search, const std::string& replacement);

// The byte offset where character number `position` (1-based) begins.
std::size_t ByteOffsetOfChar(std::string_view text, long long position);

}  // namespace yura
