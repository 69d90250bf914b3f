// Labels: lines "*name" registered as callable words before a text runs.
#pragma once

#include <string>

#include "core/yurabase.h"

namespace yura {

// Registers every label of a prepared text with `fileName` as its file.
// Throws EYura when a label's name is already a word.
void RegisterLabels(TYuraBase& state, const TText& text, const std::string& fileName);

}  // namespace yura
