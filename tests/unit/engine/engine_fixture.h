// An engine on a fresh state with the whole vocabulary, for tests that run
// pieces of the language without the desktop program.
#pragma once

#include <string>

#include "core/errors.h"
#include "engine/calculator.h"
#include "engine/engine.h"
#include "fake_host.h"
#include "source/prepare.h"

namespace yura {

class TEngineFixture {
 public:
  TEngineFixture() : state(host), engine(state) {
    state.SourceFileName = "t.yrh";
    state.SourceText = MakeText("");
    engine.PrepareRun();
  }

  // Runs a script text as the main program.
  void Run(std::string text) {
    state.SourceText = MakeText(std::move(text));
    engine.PrepareRun();
    state.Cursor = TCursor(state.SourceText, 0);
    engine.RunScript();
  }

  // The message of the error a call raises, or "" when it raises none.
  template <typename Call>
  std::string ErrorOf(Call call) {
    try {
      call();
    } catch (const EYura& error) {
      return error.Message();
    }
    return {};
  }

  TFakeHost host;
  TYuraBase state;
  TEngine engine;
};

}  // namespace yura
