// The handler registration of every command family.
#pragma once

namespace yura {

class TDispatcher;

void RegisterWordHandlers(TDispatcher& dispatcher);        // words and variables
void RegisterArithmeticHandlers(TDispatcher& dispatcher);  // 入れる, 足す, ... 計算
void RegisterDialogHandlers(TDispatcher& dispatcher);      // dialogs and the clipboard
void RegisterTextOutputHandlers(TDispatcher& dispatcher);  // 表示
void RegisterStringHandlers(TDispatcher& dispatcher);      // the string commands

}  // namespace yura
