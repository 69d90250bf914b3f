// Setting and reading the properties of GUI objects: the member syntax and
// the commands 設定 and 得る.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/guiobject.h"

namespace yura {

class TEngine;

// The property a name stands for, matched after the okurigana strip.
std::optional<TProperty> PropertyOfName(std::string_view name);

void SetProperty(TEngine& engine, std::string_view object, std::string_view property, std::string_view valueText);
// Sets LastType to the reading's type tag.
std::string GetProperty(TEngine& engine, std::string_view object, std::string_view property);

// The object's default value, for a plain word reading and assignment.
std::string GetDefaultValue(TEngine& engine, std::string_view object);
void SetDefaultValue(TEngine& engine, std::string_view object, std::string_view valueText);

}  // namespace yura
