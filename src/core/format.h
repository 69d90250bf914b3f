// Fills the %s and %d places of a message template, in order. Only the
// template is scanned: a value that holds "%s" is copied as it is, so no
// script text ever acts as a format.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace yura {

std::string FormatMessage(std::string_view messageTemplate, std::initializer_list<std::string_view> values);

}  // namespace yura
