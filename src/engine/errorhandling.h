// The commands that choose what happens with script errors and with the close
// request: エラーを無視, エラーを警告, エラー処理設定, エラーから復帰, 終了処理設定.
#pragma once

namespace yura {

class TDispatcher;

void RegisterErrorHandlers(TDispatcher& dispatcher);

}  // namespace yura
