// Dates in the Japanese era form: 平成15年7月6日, 令和元年5月1日.
#pragma once

#include <string>

namespace yura {

// The era text of a date; empty before 1869.
std::string EraDate(int year, int month, int day);

}  // namespace yura
