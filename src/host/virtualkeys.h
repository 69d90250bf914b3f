// Keys as the language numbers them (the platform's virtual-key codes: 8
// Backspace, 13 Enter, 16 Shift, 37 Left, 65 A, 112 F1, ...) and as Qt does.
#pragma once

#include <cstdint>

namespace yura {

// The Qt key of a virtual-key code; Qt::Key_unknown when there is none.
int QtKeyOf(std::uint32_t virtualKey);
// The virtual-key code of a Qt key (keypad digits and operators when
// `keypad`); 0 when there is none.
std::uint32_t VirtualKeyOf(int qtKey, bool keypad);

}  // namespace yura
