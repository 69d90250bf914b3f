#include "engine/invoke.h"

#include "core/format.h"
#include "engine/calculator.h"
#include "engine/engine.h"
#include "engine/executor.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

// Particles that stand in for each other: と~を, の~を, を~と/の, に~へ.
bool ParticleAccepts(std::string_view wanted, std::string_view item) {
  auto endsWith = [&](std::string_view particle) { return !particle.empty() && EndsWithChars(item, particle); };
  if (wanted.empty()) return true;
  if (endsWith(wanted)) return true;
  if (wanted == "と" || wanted == "の") return endsWith("を");
  if (wanted == "を") return endsWith("と") || endsWith("の");
  if (wanted == "に") return endsWith("へ");
  if (wanted == "へ") return endsWith("に");
  return false;
}

// Cuts the particle off an argument that carries it; equivalent particles
// have the same length as the pattern's own.
void CutParticle(std::string_view particle, std::string& item) {
  if (!particle.empty() && ParticleAccepts(particle, item)) item.resize(item.size() - particle.size());
}

}  // namespace

std::vector<std::string> PatternParticles(std::string_view pattern) {
  std::vector<std::string> particles;
  if (Trim(pattern).empty()) return particles;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = pattern.find(',', start);
    std::string_view item = Trim(pattern.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (!item.empty() && item[0] == '?') item.remove_prefix(1);
    particles.emplace_back(item);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return particles;
}

std::size_t PatternArgumentCount(std::string_view pattern) {
  std::size_t count = 0;
  for (char c : pattern) count += c == '?';
  return count;
}

TInvoker::TInvoker(TEngine& engine) : engine_(engine), state_(engine.State()) {}

const std::vector<std::string>& TInvoker::ParticlesOf(std::string_view pattern) {
  if (const auto found = particles_.find(pattern); found != particles_.end()) return found->second;
  // Patterns made while the script runs must not pile up.
  if (particles_.size() >= 4096) particles_.clear();
  return particles_.emplace(std::string(pattern), PatternParticles(pattern)).first->second;
}

bool TInvoker::ArgumentsInOrder(const std::vector<std::string>& particles, bool byPosition) const {
  // Matching takes, for each particle from the last, the topmost argument
  // that accepts it: when the top arguments accept their particles in order,
  // each is taken where it stands.
  if (byPosition) return true;
  const std::vector<std::string>& items = state_.ArgStack.Items();
  const std::size_t base = items.size() - particles.size();
  for (std::size_t k = 0; k < particles.size(); ++k)
    if (!ParticleAccepts(particles[k], items[base + k])) return false;
  return true;
}

void TInvoker::MatchArguments(const THashNode& node) {
  // A call in the function form passes its arguments by position, for this
  // one match only.
  const bool byPosition = state_.ParenCall;
  state_.ParenCall = false;
  const std::vector<std::string>& particles = ParticlesOf(node.ArgPattern);
  const std::size_t m = particles.size();
  TStack& stack = state_.ArgStack;
  if (m == stack.Count() + 1) {
    stack.Insert(0, byPosition ? "それ" : "それ" + particles[0]);
    state_.SoreImplied = true;
  } else {
    state_.SoreImplied = false;
  }
  if (stack.Count() < m)
    engine_.Raise(kMsgTooFewArguments, {engine_.CommandName(node), node.ArgPattern});
  if (ArgumentsInOrder(particles, byPosition)) {
    // Each argument already stands where the pattern takes it: only the
    // particles are cut.
    std::vector<std::string>& items = stack.Items();
    const std::size_t base = items.size() - m;
    for (std::size_t k = 0; k < m; ++k) {
      // Matched by particle, each argument is known to carry its own.
      if (byPosition)
        CutParticle(particles[k], items[base + k]);
      else
        items[base + k].resize(items[base + k].size() - particles[k].size());
    }
    if (stack.Count() > kMaxArguments) engine_.Raise(kMsgStackFull);
    return;
  }
  std::vector<std::string> kept(m);
  for (std::size_t k = m; k-- > 0;) {
    const std::string& particle = particles[k];
    std::vector<std::string>& items = stack.Items();
    std::size_t found = items.size();
    if (byPosition) {
      found = items.size() - 1;
    } else {
      for (std::size_t i = items.size(); i-- > 0;)
        if (ParticleAccepts(particle, items[i])) {
          found = i;
          break;
        }
      if (found == items.size()) engine_.Raise(kMsgWrongParticle, {engine_.CommandName(node), node.ArgPattern, particle});
    }
    std::string item = std::move(items[found]);
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(found));
    CutParticle(particle, item);
    kept[k] = std::move(item);
  }
  for (std::string& item : kept) stack.Push(std::move(item));
  if (stack.Count() > kMaxArguments) engine_.Raise(kMsgStackFull);
}

void TInvoker::CallLabel(THashNode& node, std::string_view writtenName) {
  if (!node.ArgPattern.empty()) {
    TEngine::TNameScope name(engine_, writtenName);
    MatchArguments(node);
    const std::size_t count = PatternArgumentCount(node.ArgPattern);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < count && !state_.ArgStack.Empty(); ++i) texts.push_back(state_.ArgStack.Pop());
    for (auto it = texts.rbegin(); it != texts.rend(); ++it) state_.FuncArgs.Push(engine_.EvalValue(*it));
  }
  TRunControl frame;
  frame.Kind = rcCall;
  frame.BodyPos = state_.Cursor;
  frame.ExitPos = node.Position;
  frame.FileName = state_.SourceFileName;
  state_.RunStack.Push(std::move(frame));
  state_.SourceFileName = node.Description;
  state_.Cursor = node.Position;
}

std::string TInvoker::LabelValue(THashNode& node) {
  engine_.CheckNativeDepth(TEngine::kCallStackReserve);
  THashNode& sore = *state_.SoreNode;
  const std::string savedValue = sore.Value(), savedTag = sore.Description;
  const std::string savedFile = state_.SourceFileName;
  sore.SetValue({});
  std::string value;
  {
    const TCursor savedCursor = state_.Cursor;
    TLevelGuard level(state_.RunStack);
    state_.Cursor = node.Position;
    state_.SourceFileName = node.Description;
    try {
      engine_.RunScript();
    } catch (...) {
      state_.Cursor = savedCursor;
      state_.SourceFileName = savedFile;
      throw;
    }
    state_.Cursor = savedCursor;
    state_.SourceFileName = savedFile;
  }
  value = sore.Value();
  state_.LastType = sore.Description;
  sore.SetValue(savedValue);
  sore.Description = savedTag;
  return value;
}

}  // namespace yura
