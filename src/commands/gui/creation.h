// Making GUI objects: parts by kind word, and menu items.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/guiobject.h"

namespace yura {

class TEngine;

// A part of the main window (or a フォーム window). Without coordinates the
// part takes the output position; the output position then moves below it.
void CreateObject(TEngine& engine, const std::string& name, std::optional<std::string_view> coordinates,
                  std::string_view kindWord);

// A menu item under the menu object named `parent`, or at the top of the
// main window's menu bar when `parent` is empty.
void CreateMenu(TEngine& engine, std::string_view parent, std::string_view item);

}  // namespace yura
