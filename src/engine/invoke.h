// Calling words: argument matching by particles, user functions (labels)
// and their arguments.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/hash.h"
#include "core/yurabase.h"

namespace yura {

class TEngine;

// The particles of an argument pattern: "?を,?から,?まで" -> を, から, まで.
std::vector<std::string> PatternParticles(std::string_view pattern);
std::size_t PatternArgumentCount(std::string_view pattern);

class TInvoker {
 public:
  explicit TInvoker(TEngine& engine);

  // Reorders the argument stack to the node's pattern and cuts the particles.
  void MatchArguments(const THashNode& node);
  // Starts a call of a label or user function.
  void CallLabel(THashNode& node, std::string_view writtenName = {});
  // Runs a label's body as a value, on a fresh level; returns それ.
  std::string LabelValue(THashNode& node);

 private:
  // Whether the top arguments already stand in the pattern's order.
  bool ArgumentsInOrder(const std::vector<std::string>& particles, bool byPosition) const;
  // The particles of a pattern, read once per pattern text.
  const std::vector<std::string>& ParticlesOf(std::string_view pattern);

  TEngine& engine_;
  TYuraBase& state_;
  std::unordered_map<std::string, std::vector<std::string>, TTextHash, std::equal_to<>> particles_;
};

}  // namespace yura
