// Runs built-in commands: argument matching, then the handler chosen by the
// command number.
#pragma once

#include <array>
#include <string_view>

#include "core/hash.h"

namespace yura {

class TEngine;

using THandler = void (*)(TEngine& engine, THashNode& entry);

class TDispatcher {
 public:
  static constexpr int kMaxCommandNumber = 500;

  explicit TDispatcher(TEngine& engine);
  // `writtenName` is the command as the script wrote it (empty: its entry's name).
  void Dispatch(THashNode& node, std::string_view writtenName = {});
  void Register(int number, THandler handler);
  bool HasHandler(int number) const;

 private:
  TEngine& engine_;
  std::array<THandler, kMaxCommandNumber + 1> handlers_{};
};

// Every family adds its handlers here.
void InstallHandlers(TDispatcher& dispatcher);

}  // namespace yura
