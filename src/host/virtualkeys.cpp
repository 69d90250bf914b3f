#include "host/virtualkeys.h"

#include <Qt>
#include <array>
#include <utility>

namespace yura {
namespace {

// The keys that are neither letters, digits nor function keys.
constexpr std::array<std::pair<std::uint32_t, int>, 36> kNamedKeys{{
    {3, Qt::Key_Pause},       {8, Qt::Key_Backspace},     {9, Qt::Key_Tab},         {12, Qt::Key_Clear},
    {13, Qt::Key_Return},     {16, Qt::Key_Shift},        {17, Qt::Key_Control},    {18, Qt::Key_Alt},
    {20, Qt::Key_CapsLock},   {25, Qt::Key_Kanji},        {27, Qt::Key_Escape},     {32, Qt::Key_Space},
    {33, Qt::Key_PageUp},     {34, Qt::Key_PageDown},     {35, Qt::Key_End},        {36, Qt::Key_Home},
    {37, Qt::Key_Left},       {38, Qt::Key_Up},           {39, Qt::Key_Right},      {40, Qt::Key_Down},
    {44, Qt::Key_Print},      {45, Qt::Key_Insert},       {46, Qt::Key_Delete},     {47, Qt::Key_Help},
    {144, Qt::Key_NumLock},   {145, Qt::Key_ScrollLock},  {186, Qt::Key_Semicolon}, {187, Qt::Key_Equal},
    {188, Qt::Key_Comma},     {189, Qt::Key_Minus},       {190, Qt::Key_Period},    {191, Qt::Key_Slash},
    {192, Qt::Key_QuoteLeft}, {219, Qt::Key_BracketLeft}, {220, Qt::Key_Backslash}, {221, Qt::Key_BracketRight},
}};

}  // namespace

int QtKeyOf(std::uint32_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return static_cast<int>(key);
  if (key >= 112 && key <= 135) return Qt::Key_F1 + static_cast<int>(key - 112);
  for (const auto& [virtualKey, qtKey] : kNamedKeys)
    if (virtualKey == key) return qtKey;
  return Qt::Key_unknown;
}

std::uint32_t VirtualKeyOf(int key, bool keypad) {
  if (keypad) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return 96 + static_cast<std::uint32_t>(key - Qt::Key_0);
    switch (key) {
      case Qt::Key_Asterisk:
        return 106;
      case Qt::Key_Plus:
        return 107;
      case Qt::Key_Minus:
        return 109;
      case Qt::Key_Period:
        return 110;
      case Qt::Key_Slash:
        return 111;
      case Qt::Key_Enter:
        return 13;
      default:
        break;
    }
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::uint32_t>(key);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::uint32_t>(key);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + static_cast<std::uint32_t>(key - Qt::Key_F1);
  if (key == Qt::Key_Enter) return 13;
  if (key == Qt::Key_Backtab) return 9;
  if (key == Qt::Key_Apostrophe) return 222;
  for (const auto& [virtualKey, qtKey] : kNamedKeys)
    if (qtKey == key) return virtualKey;
  return 0;
}

}  // namespace yura
