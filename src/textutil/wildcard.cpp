#include "textutil/wildcard.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>

#include "platform/stackguard.h"
#include "source/sjis.h"

namespace yura {
namespace {

constexpr const char* kBackslashInBracket = "ワイルドカードの[ ]中で\\記号を使うときは、\\t,\\nしか許されていません。";
constexpr const char* kWildcardAfterRepeat = "ワイルドカード[*...]に続けてワイルドカードを書くことは出来ません。";
constexpr const char* kMsgTooDeep = "スタックが一杯になりました。ラベルなどに再帰呼び出しがないか確認！";

// ---------------------------------------------------------------------------
// Pattern elements

enum class EKind { Char, Question, Asterisk, Number, PickupFrom, PickupTo, Bracket };

// Bracket group modes: one character, zero or more, one or more, alternatives.
enum class EBracketMode { One, ZeroOrMore, OneOrMore, Alternatives };

struct TCodeRange {
  unsigned Low, High;
};

struct TAlternative {
  std::string Text;
  std::size_t Chars;  // number of Shift_JIS characters in Text
};

struct TElement {
  EKind Kind;
  std::string Text;  // EKind::Char: the character (one or two bytes)
  // EKind::Bracket
  std::vector<TCodeRange> Ranges;
  bool Negated = false;
  EBracketMode Mode = EBracketMode::One;
  std::vector<TAlternative> Alternatives;  // in the order they are tried
};

// A character's code: its byte, or lead * 256 + trail for a double-byte one.
unsigned CodeAt(std::string_view s, std::size_t i) {
  return CharLengthAt(s, i) == 2 ? DoubleByteCode(s, i) : static_cast<unsigned char>(s[i]);
}

std::size_t CountChars(std::string_view s) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < s.size(); i += CharLengthAt(s, i)) ++count;
  return count;
}

TElement CharElement(std::string_view text) { return TElement{EKind::Char, std::string(text), {}, false, EBracketMode::One, {}}; }

TElement SimpleElement(EKind kind) { return TElement{kind, {}, {}, false, EBracketMode::One, {}}; }

// The alternatives are tried in a fixed order: for k = 0 .. count-1 the first
// shortest alternative after position k (or, past the last, the one at k) is
// moved to the front.
void OrderAlternatives(std::vector<TAlternative>& alternatives) {
  const std::size_t count = alternatives.size();
  for (std::size_t k = 0; k < count; ++k) {
    std::size_t pick = k;
    if (k + 1 < count) {
      pick = k + 1;
      for (std::size_t i = k + 2; i < count; ++i)
        if (alternatives[i].Text.size() < alternatives[pick].Text.size()) pick = i;
    }
    TAlternative moved = std::move(alternatives[pick]);
    alternatives.erase(alternatives.begin() + static_cast<std::ptrdiff_t>(pick));
    alternatives.insert(alternatives.begin(), std::move(moved));
  }
}

// Reads a bracket group whose "[" has been consumed; returns the position
// after its "]" (or the end of the pattern when it is not closed).
std::size_t ParseBracket(std::string_view pattern, std::size_t pos, TElement& group) {
  const std::size_t size = pattern.size();
  if (pos < size && pattern[pos] == '!') {
    group.Negated = true;
    ++pos;
  }
  if (pos < size) {
    switch (pattern[pos]) {
      case '*': group.Mode = EBracketMode::ZeroOrMore; ++pos; break;
      case '+': group.Mode = EBracketMode::OneOrMore; ++pos; break;
      case '=': group.Mode = EBracketMode::Alternatives; ++pos; break;
      default: break;
    }
  }

  if (group.Mode == EBracketMode::Alternatives) {
    // The raw text up to "]", split at "|"; empty alternatives count.
    std::size_t start = pos;
    while (true) {
      const bool atEnd = pos >= size || pattern[pos] == ']';
      if (atEnd || pattern[pos] == '|') {
        const std::string_view text = pattern.substr(start, pos - start);
        group.Alternatives.push_back({std::string(text), CountChars(text)});
        if (atEnd) break;
        start = ++pos;
        continue;
      }
      pos += CharLengthAt(pattern, pos);
    }
    if (pos < size) ++pos;  // the "]"
    OrderAlternatives(group.Alternatives);
    return pos;
  }

  while (pos < size) {
    if (pattern[pos] == ']') return pos + 1;
    if (pattern[pos] == '\\') {
      const char next = pos + 1 < size ? pattern[pos + 1] : '\0';
      if (next == 'n') {
        group.Ranges.push_back({10, 13});
      } else if (next == 't') {
        group.Ranges.push_back({9, 9});
      } else {
        throw EWildcardError(kBackslashInBracket);
      }
      pos += 2;
      continue;
    }
    const unsigned a = CodeAt(pattern, pos);
    pos += CharLengthAt(pattern, pos);
    // "a-b" is a range in either order; a "-" that ends the pattern is a
    // member of its own.
    if (pos + 1 < size && pattern[pos] == '-') {
      ++pos;
      const unsigned b = CodeAt(pattern, pos);
      pos += CharLengthAt(pattern, pos);
      group.Ranges.push_back({std::min(a, b), std::max(a, b)});
    } else {
      group.Ranges.push_back({a, a});
    }
  }
  return pos;
}

std::vector<TElement> ParsePattern(std::string_view pattern) {
  std::vector<TElement> elements;
  std::size_t pos = 0;
  while (pos < pattern.size()) {
    const std::size_t length = CharLengthAt(pattern, pos);
    if (length == 2) {
      elements.push_back(CharElement(pattern.substr(pos, 2)));
      pos += 2;
      continue;
    }
    switch (pattern[pos]) {
      case '#': elements.push_back(SimpleElement(EKind::Number)); ++pos; break;
      case '(': elements.push_back(SimpleElement(EKind::PickupFrom)); ++pos; break;
      case ')': elements.push_back(SimpleElement(EKind::PickupTo)); ++pos; break;
      case '*': elements.push_back(SimpleElement(EKind::Asterisk)); ++pos; break;
      case '?': elements.push_back(SimpleElement(EKind::Question)); ++pos; break;
      case '[': {
        TElement group = SimpleElement(EKind::Bracket);
        pos = ParseBracket(pattern, pos + 1, group);
        elements.push_back(std::move(group));
        break;
      }
      case '\\': {
        if (pos + 1 >= pattern.size()) {  // a trailing backslash is itself
          elements.push_back(CharElement("\\"));
          ++pos;
          break;
        }
        const char next = pattern[pos + 1];
        if (next == 'n') {
          elements.push_back(CharElement("\r"));
          elements.push_back(CharElement("\n"));
          pos += 2;
        } else if (next == 't') {
          elements.push_back(CharElement("\t"));
          pos += 2;
        } else {
          const std::size_t escaped = CharLengthAt(pattern, pos + 1);
          elements.push_back(CharElement(pattern.substr(pos + 1, escaped)));
          pos += 1 + escaped;
        }
        break;
      }
      default: elements.push_back(CharElement(pattern.substr(pos, 1))); ++pos; break;
    }
  }
  return elements;
}

// ---------------------------------------------------------------------------
// Matching
//
// The subject is a sequence of characters (its "\" and "[" are ordinary).
// The pattern is walked element by element. An asterisk not at the end tries
// the rest of the pattern from each subject position in turn with pick-up
// recording off, settles on the first position that works, switches
// recording on and lets the rest of the pattern run again from there.
//
// Pick-up state: the flag `recording_`, the start set by "(", the furthest
// end recorded so far and the list. ")" records only while recording is on
// and the cursor is beyond the furthest end.
//
// Repeated attempts are remembered. Which elements succeed and where the
// cursors go never depend on the pick-up state, so a run of the pattern from
// (pattern position, subject position) always takes the same course. Its
// only effects are: setting the pick-up start (the last "(" passed),
// switching recording on (once an asterisk has done its trials) and
// recording pick-ups. When such a run is repeated with recording no more on
// than the first time, every ")" it passes with recording on was passed with
// recording on before at the same cursor, which is at or below the furthest
// end by now, so the repeat records nothing. It can then be replaced by its
// remembered outcome, last pick-up start and recording switch.
class TMatcher {
 public:
  TMatcher(std::string_view text, const std::vector<TElement>& pattern) : text_(text), pattern_(pattern) {
    for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) offsets_.push_back(i);
    offsets_.push_back(text.size());
    length_ = static_cast<int>(offsets_.size()) - 1;
    count_ = static_cast<int>(pattern.size());
  }

  // Matches the whole pattern; the subject cursor afterwards, or -1.
  int Match() {
    const TRun run = Run(0, 0);
    return run.Ok ? run.End : -1;
  }

  int Length() const { return length_; }
  std::string_view Items(int from, int to) const {
    if (from >= to) return {};
    return text_.substr(offsets_[from], offsets_[to] - offsets_[from]);
  }
  std::vector<std::string>& Pickups() { return pickups_; }

 private:
  struct TRun {
    bool Ok = false;
    int End = 0;               // subject cursor after a successful run
    bool AsteriskTried = false;  // an asterisk did its trials (recording is on afterwards)
    int LastStart = -1;        // subject position of the last "(" passed, or -1
  };
  struct TRunMemo {
    int MaxRecording = -1;  // the most recording a full run started with
    TRun Outcome;
  };
  struct TTrials {
    int Found = -1;      // the first subject position that works, or -1
    int LastStart = -1;  // as in TRun
  };
  struct TTrialsMemo {
    int MaxRecording = -1;
    TTrials Outcome;
  };

  std::uint64_t Key(int position, int cursor) const {
    return static_cast<std::uint64_t>(position) * static_cast<std::uint64_t>(length_ + 1) + static_cast<std::uint64_t>(cursor);
  }

  std::string_view Item(int index) const { return Items(index, index + 1); }

  void EndPickup(int cursor) {
    if (!recording_ || cursor <= furthestEnd_) return;
    furthestEnd_ = cursor;
    pickups_.emplace_back(Items(pickupStart_, cursor));
  }

  // Runs the pattern from `position` with the subject cursor at `cursor`.
  TRun Run(int position, int cursor) {
    if (position >= count_) return {true, cursor, false, -1};
    // Each asterisk nests one more trial; a pattern of thousands of them ends
    // in an error instead of exhausting the native stack.
    if (NearStackLimit()) throw EWildcardError(std::string(kMsgTooDeep));
    const int recording = recording_ ? 1 : 0;
    const std::uint64_t key = Key(position, cursor);
    if (auto found = runs_.find(key); found != runs_.end() && found->second.MaxRecording >= recording) {
      const TRun& outcome = found->second.Outcome;
      if (outcome.LastStart >= 0) pickupStart_ = outcome.LastStart;
      if (outcome.AsteriskTried) recording_ = true;
      return outcome;
    }
    const TRun outcome = Execute(position, cursor);
    TRunMemo& memo = runs_[key];
    memo.MaxRecording = std::max(memo.MaxRecording, recording);
    memo.Outcome = outcome;
    return outcome;
  }

  TRun Execute(int position, int cursor) {
    int lastStart = -1;
    while (position < count_) {
      const TElement& element = pattern_[static_cast<std::size_t>(position)];
      switch (element.Kind) {
        case EKind::PickupFrom:
          pickupStart_ = cursor;
          lastStart = cursor;
          break;
        case EKind::PickupTo: EndPickup(cursor); break;
        case EKind::Asterisk: {
          const int rest = position + 1;
          if (rest == count_) return {true, length_, false, lastStart};
          if (rest == count_ - 1 && pattern_[static_cast<std::size_t>(rest)].Kind == EKind::PickupTo) {
            EndPickup(length_);
            return {true, length_, false, lastStart};
          }
          recording_ = false;
          const TTrials trials = Trials(position, cursor);
          recording_ = true;
          if (trials.LastStart >= 0) lastStart = trials.LastStart;
          if (trials.Found < 0) return {false, 0, true, lastStart};
          const TRun tail = Run(rest, trials.Found);
          if (tail.LastStart >= 0) lastStart = tail.LastStart;
          return {tail.Ok, tail.End, true, lastStart};
        }
        default:
          if (!MatchElement(position, cursor)) return {false, 0, false, lastStart};
          break;
      }
      ++position;
    }
    return {true, cursor, false, lastStart};
  }

  // The trials of the asterisk at `position`: the rest of the pattern from
  // each subject position `from`, `from`+1, ... in turn. Recording is off at
  // the start; an asterisk inside a trial leaves it on for the trials after.
  TTrials Trials(int position, int from) {
    struct TStep {
      int Cursor;
      int Recording;
      int LastStart;
    };
    std::vector<TStep> steps;
    TTrials result;
    for (int cursor = from; cursor <= length_; ++cursor) {
      const int recording = recording_ ? 1 : 0;
      if (auto found = trials_.find(Key(position, cursor));
          found != trials_.end() && found->second.MaxRecording >= recording) {
        result = found->second.Outcome;
        if (result.LastStart >= 0) pickupStart_ = result.LastStart;
        break;
      }
      const TRun run = Run(position + 1, cursor);
      steps.push_back({cursor, recording, run.LastStart});
      if (run.Ok) {
        result = {cursor, -1};
        break;
      }
    }
    // Every step taken is the start of a complete series of trials.
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
      if (result.LastStart < 0) result.LastStart = step->LastStart;
      TTrialsMemo& memo = trials_[Key(position, step->Cursor)];
      memo.MaxRecording = std::max(memo.MaxRecording, step->Recording);
      memo.Outcome = result;
    }
    return result;
  }

  bool InRanges(const TElement& group, unsigned code) const {
    bool member = false;
    for (const TCodeRange& range : group.Ranges)
      if (code >= range.Low && code <= range.High) {
        member = true;
        break;
      }
    return member != group.Negated;
  }

  bool IsMember(const TElement& group, int index) const {
    return InRanges(group, CodeAt(text_, offsets_[static_cast<std::size_t>(index)]));
  }

  // Every element but "*", "(" and ")"; advances the cursor on success.
  bool MatchElement(int position, int& cursor) const {
    const TElement& element = pattern_[static_cast<std::size_t>(position)];
    switch (element.Kind) {
      case EKind::Char:
        if (cursor >= length_ || Item(cursor) != element.Text) return false;
        ++cursor;
        return true;
      case EKind::Question:
        if (cursor >= length_) return false;
        ++cursor;
        return true;
      case EKind::Number: {
        if (cursor >= length_) return false;
        const char first = Item(cursor)[0];
        if (first < '0' || first > '9') return false;
        ++cursor;
        return true;
      }
      case EKind::Bracket: return MatchBracket(position, cursor);
      default: return true;
    }
  }

  bool MatchBracket(int position, int& cursor) const {
    const TElement& group = pattern_[static_cast<std::size_t>(position)];
    switch (group.Mode) {
      case EBracketMode::One:
        if (cursor >= length_ || !IsMember(group, cursor)) return false;
        ++cursor;
        return true;
      case EBracketMode::Alternatives:
        for (const TAlternative& alternative : group.Alternatives) {
          const int chars = static_cast<int>(alternative.Chars);
          if (chars > length_ - cursor) continue;
          if (Items(cursor, cursor + chars) == alternative.Text) {
            cursor += chars;
            return true;
          }
        }
        return false;
      default: break;
    }
    // Repetition stops before the literal character that follows the group
    // (one "(" or ")" in between is looked through).
    int next = position + 1;
    if (next < count_ && (pattern_[static_cast<std::size_t>(next)].Kind == EKind::PickupFrom ||
                          pattern_[static_cast<std::size_t>(next)].Kind == EKind::PickupTo))
      ++next;
    const TElement* stop = nullptr;
    if (next < count_) {
      stop = &pattern_[static_cast<std::size_t>(next)];
      if (stop->Kind != EKind::Char) throw EWildcardError(kWildcardAfterRepeat);
    }
    int taken = 0;
    while (cursor < length_) {
      if (stop != nullptr && Item(cursor) == stop->Text) break;
      if (!IsMember(group, cursor)) break;
      ++cursor;
      ++taken;
    }
    return group.Mode == EBracketMode::ZeroOrMore || taken > 0;
  }

  std::string_view text_;
  const std::vector<TElement>& pattern_;
  std::vector<std::size_t> offsets_;  // byte offset of each character, and the size
  int length_ = 0;                    // characters in the subject
  int count_ = 0;                     // elements in the pattern

  bool recording_ = true;
  int pickupStart_ = 0;
  int furthestEnd_ = -1;
  std::vector<std::string> pickups_;

  std::unordered_map<std::uint64_t, TRunMemo> runs_;
  std::unordered_map<std::uint64_t, TTrialsMemo> trials_;
};

}  // namespace

bool WildcardMatch(std::string_view text, std::string_view pattern) {
  const std::vector<TElement> elements = ParsePattern(pattern);
  TMatcher matcher(text, elements);
  return matcher.Match() == matcher.Length();
}

std::optional<TWildcardPrefix> WildcardPrefixMatch(std::string_view text, std::string_view pattern) {
  const std::vector<TElement> elements = ParsePattern(pattern);
  TMatcher matcher(text, elements);
  const int end = matcher.Match();
  if (end < 0) return std::nullopt;
  return TWildcardPrefix{std::string(matcher.Items(0, end)), std::string(matcher.Items(end, matcher.Length())),
                         std::move(matcher.Pickups())};
}

}  // namespace yura
