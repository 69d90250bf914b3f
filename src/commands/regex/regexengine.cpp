#include "commands/regex/regexengine.h"

#include <oniguruma.h>

#include <algorithm>
#include <list>
#include <memory>
#include <mutex>
#include <utility>

#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

// Backtracking steps allowed from one start position, and in one search over
// all start positions.
constexpr unsigned long kRetryLimit = 5'000'000;
constexpr unsigned long kSearchRetryFactor = 10;

void InitializeOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    OnigEncoding encodings[] = {ONIG_ENCODING_SJIS};
    onig_initialize(encodings, 1);
  });
}

std::string OnigMessage(int code, OnigErrorInfo* info = nullptr) {
  OnigUChar text[ONIG_MAX_ERROR_MESSAGE_LEN];
  if (info != nullptr)
    onig_error_code_to_str(text, code, info);
  else
    onig_error_code_to_str(text, code);
  return reinterpret_cast<const char*>(text);
}

// ---- Compiled operators ----

struct TCompiled {
  TRegexOperator Op;
  regex_t* Regex = nullptr;
  ~TCompiled() {
    if (Regex != nullptr) onig_free(Regex);
  }
};
using TCompiledRef = std::shared_ptr<const TCompiled>;

TCompiledRef Compile(std::string_view text) {
  auto compiled = std::make_shared<TCompiled>();
  compiled->Op = ParseRegexOperator(text);
  const TRegexOperator& op = compiled->Op;
  if (op.Kind == TRegexKind::Translate) return compiled;
  InitializeOnce();
  // The Perl syntax makes ^ and $ whole-text anchors; m lifts that.
  OnigOptionType options = ONIG_OPTION_CAPTURE_GROUP;
  if (op.IgnoreCase) options |= ONIG_OPTION_IGNORECASE;
  if (op.Extended) options |= ONIG_OPTION_EXTEND;
  if (op.DotAll) options |= ONIG_OPTION_MULTILINE;
  if (op.MultiLine) options |= ONIG_OPTION_NEGATE_SINGLELINE;
  const auto* pattern = reinterpret_cast<const OnigUChar*>(op.Pattern.data());
  OnigErrorInfo info{};
  const int result = onig_new(&compiled->Regex, pattern, pattern + op.Pattern.size(), options, ONIG_ENCODING_SJIS,
                              ONIG_SYNTAX_PERL_NG, &info);
  if (result != ONIG_NORMAL) {
    compiled->Regex = nullptr;
    throw ERegexError(OnigMessage(result, &info));
  }
  return compiled;
}

// The most recently used operators, newest first.
TCompiledRef Cached(std::string_view text) {
  static std::mutex mutex;
  static std::list<std::pair<std::string, TCompiledRef>> cache;
  constexpr std::size_t kCacheSize = 32;
  {
    std::lock_guard lock(mutex);
    for (auto it = cache.begin(); it != cache.end(); ++it) {
      if (it->first == text) {
        cache.splice(cache.begin(), cache, it);
        return cache.front().second;
      }
    }
  }
  TCompiledRef compiled = Compile(text);
  std::lock_guard lock(mutex);
  cache.emplace_front(std::string(text), compiled);
  if (cache.size() > kCacheSize) cache.pop_back();
  return compiled;
}

TCompiledRef CompiledAs(std::string_view text, TRegexKind kind) {
  TCompiledRef compiled = Cached(text);
  if (compiled->Op.Kind != kind) {
    switch (kind) {
      case TRegexKind::Match:
        throw ERegexError("not a match operator (m/.../)");
      case TRegexKind::Substitute:
        throw ERegexError("not a substitution operator (s/.../.../)");
      case TRegexKind::Translate:
        throw ERegexError("not a translation operator (tr/.../.../)");
    }
  }
  return compiled;
}

// ---- Searching ----

class TSearch {
 public:
  TSearch(const TCompiled& compiled, std::string_view subject) : compiled_(compiled), subject_(subject) {
    region_ = onig_region_new();
    param_ = onig_new_match_param();
    if (region_ == nullptr || param_ == nullptr) throw ERegexError("out of memory");
    onig_initialize_match_param(param_);
    onig_set_retry_limit_in_match_of_match_param(param_, kRetryLimit);
    onig_set_retry_limit_in_search_of_match_param(param_, kRetryLimit * kSearchRetryFactor);
  }
  ~TSearch() {
    if (region_ != nullptr) onig_region_free(region_, 1);
    if (param_ != nullptr) onig_free_match_param(param_);
  }
  TSearch(const TSearch&) = delete;
  TSearch& operator=(const TSearch&) = delete;

  // The next match from `from` on; false when there is none.
  bool Next(std::size_t from) {
    const auto* begin = reinterpret_cast<const OnigUChar*>(subject_.data());
    const auto* end = begin + subject_.size();
    const int result =
        onig_search_with_param(compiled_.Regex, begin, end, begin + from, end, region_, ONIG_OPTION_NONE, param_);
    if (result == ONIG_MISMATCH) return false;
    if (result == ONIGERR_RETRY_LIMIT_IN_MATCH_OVER || result == ONIGERR_RETRY_LIMIT_IN_SEARCH_OVER)
      throw ERegexError("pattern too complex: retry limit reached");
    if (result < 0) throw ERegexError(OnigMessage(result));
    return true;
  }
  std::size_t Start() const { return Offset(region_->beg[0]); }
  std::size_t End() const { return Offset(region_->end[0]); }
  int Groups() const { return region_->num_regs - 1; }
  // Group i's text; "" for a group that took no part.
  std::string_view Group(int i) const {
    if (i < 0 || i >= region_->num_regs || region_->beg[i] == ONIG_REGION_NOTPOS) return {};
    const std::size_t start = Offset(region_->beg[i]);
    return subject_.substr(start, std::max(start, Offset(region_->end[i])) - start);
  }
  // Where the search goes on after an empty match at `at`.
  std::size_t StepOver(std::size_t at) const { return at + CharLengthAt(subject_, at); }

 private:
  // A position the engine reported, kept inside the subject.
  std::size_t Offset(int position) const {
    return std::min(static_cast<std::size_t>(std::max(position, 0)), subject_.size());
  }

  const TCompiled& compiled_;
  std::string_view subject_;
  OnigRegion* region_ = nullptr;
  OnigMatchParam* param_ = nullptr;
};

// ---- Replacement templates ----

// Appends the replacement for the current match: $n, ${n}, $& and $0, \n for
// a single digit, \n \r \t as control characters, any other escaped
// character as itself.
void AppendReplacement(std::string& out, std::string_view text, const TSearch& search) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = CharLengthAt(text, i);
    const char c = text[i];
    if (length == 1 && c == '\\' && i + 1 < text.size()) {
      const char next = text[i + 1];
      const std::size_t nextLength = CharLengthAt(text, i + 1);
      if (nextLength == 1 && next >= '0' && next <= '9') {
        out += search.Group(next - '0');
      } else if (nextLength == 1 && next == 'n') {
        out += '\n';
      } else if (nextLength == 1 && next == 'r') {
        out += '\r';
      } else if (nextLength == 1 && next == 't') {
        out += '\t';
      } else {
        out.append(text.substr(i + 1, nextLength));
      }
      i += 1 + nextLength;
      continue;
    }
    if (length == 1 && c == '$' && i + 1 < text.size()) {
      const char next = text[i + 1];
      if (next == '&') {
        out += search.Group(0);
        i += 2;
        continue;
      }
      std::size_t digits = i + 1;
      const bool braced = next == '{';
      if (braced) ++digits;
      std::size_t stop = digits;
      while (stop < text.size() && text[stop] >= '0' && text[stop] <= '9') ++stop;
      const bool closed = !braced || (stop < text.size() && text[stop] == '}');
      if (stop > digits && closed) {
        int group = 0;
        for (std::size_t k = digits; k < stop && group < 100000; ++k) group = group * 10 + (text[k] - '0');
        out += search.Group(group);
        i = braced ? stop + 1 : stop;
        continue;
      }
    }
    out.append(text.substr(i, length));
    i += length;
  }
}

// ---- tr ----

// Every Shift_JIS character has an ordinal: the single bytes that are no lead
// byte first, then the double-byte codes with valid trail bytes in code order.
// A range a-b stands for the ordinals between those of a and b.
constexpr unsigned kSingleCount = 0x81 + 0x40 + 3;  // 00-80, A0-DF, FD-FF
constexpr unsigned kTrailCount = 188;               // 40-7E, 80-FC

bool IsValidCode(unsigned code) {
  if (code < 0x100) return !IsLeadByte(static_cast<unsigned char>(code));
  const unsigned lead = code >> 8, trail = code & 0xFF;
  return IsLeadByte(static_cast<unsigned char>(lead)) && trail >= 0x40 && trail <= 0xFC && trail != 0x7F;
}

unsigned OrdinalOf(unsigned code) {
  if (code < 0x100) {
    if (code <= 0x80) return code;
    if (code >= 0xA0 && code <= 0xDF) return code - 0xA0 + 0x81;
    return code - 0xFD + 0x81 + 0x40;
  }
  const unsigned lead = code >> 8, trail = code & 0xFF;
  const unsigned leadIndex = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31;
  const unsigned trailIndex = trail < 0x7F ? trail - 0x40 : trail - 0x80 + 63;
  return kSingleCount + leadIndex * kTrailCount + trailIndex;
}

unsigned CodeOf(unsigned ordinal) {
  if (ordinal < kSingleCount) {
    if (ordinal <= 0x80) return ordinal;
    if (ordinal < 0x81 + 0x40) return ordinal - 0x81 + 0xA0;
    return ordinal - 0x81 - 0x40 + 0xFD;
  }
  const unsigned rest = ordinal - kSingleCount;
  const unsigned leadIndex = rest / kTrailCount, trailIndex = rest % kTrailCount;
  const unsigned lead = leadIndex < 31 ? 0x81 + leadIndex : 0xE0 + leadIndex - 31;
  const unsigned trail = trailIndex < 63 ? 0x40 + trailIndex : 0x80 + trailIndex - 63;
  return (lead << 8) | trail;
}

void AppendCode(std::string& out, unsigned code) {
  if (code >= 0x100) out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
}

// A tr list as ranges of ordinals, in the order written.
struct TCharList {
  std::vector<std::pair<unsigned, unsigned>> Ranges;
  std::size_t Size() const {
    std::size_t n = 0;
    for (const auto& [lo, hi] : Ranges) n += hi - lo + 1;
    return n;
  }
  // Position of the first occurrence, or -1.
  long long IndexOf(unsigned ordinal) const {
    long long base = 0;
    for (const auto& [lo, hi] : Ranges) {
      if (ordinal >= lo && ordinal <= hi) return base + (ordinal - lo);
      base += hi - lo + 1;
    }
    return -1;
  }
  unsigned At(std::size_t index) const {
    for (const auto& [lo, hi] : Ranges) {
      if (index <= hi - lo) return lo + static_cast<unsigned>(index);
      index -= hi - lo + 1;
    }
    return Ranges.back().second;
  }
  // How many ordinals below `ordinal` the list holds (each counted once).
  unsigned CountBelow(unsigned ordinal) const {
    std::vector<std::pair<unsigned, unsigned>> merged = Ranges;
    std::sort(merged.begin(), merged.end());
    unsigned count = 0, covered = 0;
    for (const auto& [lo, hi] : merged) {
      const unsigned from = std::max(lo, covered);
      const unsigned to = std::min(hi + 1, ordinal);
      if (to > from) count += to - from;
      covered = std::max(covered, hi + 1);
    }
    return count;
  }
};

// Reads the character at `i` of a tr list (escapes resolved); `escaped` tells
// whether it was written with a backslash.
unsigned ListChar(std::string_view text, std::size_t& i, bool& escaped) {
  escaped = false;
  if (text[i] == '\\' && i + 1 < text.size()) {
    escaped = true;
    ++i;
    const char c = text[i];
    if (CharLengthAt(text, i) == 1) {
      ++i;
      if (c == 'n') return '\n';
      if (c == 'r') return '\r';
      if (c == 't') return '\t';
      return static_cast<unsigned char>(c);
    }
  }
  if (CharLengthAt(text, i) == 2) {
    const unsigned code = DoubleByteCode(text, i);
    i += 2;
    if (!IsValidCode(code)) throw ERegexError("invalid character in tr list");
    return code;
  }
  const unsigned code = static_cast<unsigned char>(text[i++]);
  if (!IsValidCode(code)) throw ERegexError("invalid character in tr list");
  return code;
}

TCharList ParseList(std::string_view text) {
  TCharList list;
  std::size_t i = 0;
  while (i < text.size()) {
    bool escaped = false;
    const unsigned first = OrdinalOf(ListChar(text, i, escaped));
    if (i + 1 < text.size() && text[i] == '-') {
      std::size_t j = i + 1;
      const unsigned last = OrdinalOf(ListChar(text, j, escaped));
      if (last < first) throw ERegexError("invalid range in tr list");
      list.Ranges.emplace_back(first, last);
      i = j;
    } else {
      list.Ranges.emplace_back(first, first);
    }
  }
  return list;
}

long long TranslateText(const TRegexOperator& op, std::string& subject) {
  const TCharList from = ParseList(op.Pattern);
  const TCharList to = ParseList(op.Replacement);
  const std::size_t toSize = to.Size();
  std::string out;
  out.reserve(subject.size());
  long long found = 0;
  bool lastTranslated = false;
  unsigned lastCode = 0;
  for (std::size_t i = 0; i < subject.size();) {
    const std::size_t length = CharLengthAt(subject, i);
    const unsigned code = length == 2 ? DoubleByteCode(subject, i) : static_cast<unsigned char>(subject[i]);
    const std::string_view original = std::string_view(subject).substr(i, length);
    i += length;
    long long index = -1;
    if (IsValidCode(code)) {
      const unsigned ordinal = OrdinalOf(code);
      index = from.IndexOf(ordinal);
      if (op.Complement) index = index < 0 ? static_cast<long long>(ordinal - from.CountBelow(ordinal)) : -1;
    }
    if (index < 0) {
      out.append(original);
      lastTranslated = false;
      continue;
    }
    ++found;
    if (op.Delete && static_cast<std::size_t>(index) >= toSize) continue;
    const unsigned target = toSize == 0 ? code : CodeOf(to.At(std::min(static_cast<std::size_t>(index), toSize - 1)));
    if (op.Squeeze && lastTranslated && target == lastCode) continue;
    AppendCode(out, target);
    lastTranslated = true;
    lastCode = target;
  }
  if (found > 0) subject = std::move(out);
  return found;
}

}  // namespace

bool TRegexEngine::Match(std::string_view op, std::string_view subject) {
  results_.clear();
  const TCompiledRef compiled = CompiledAs(op, TRegexKind::Match);
  TSearch search(*compiled, subject);
  std::vector<std::string> found;
  std::size_t from = 0;
  while (from <= subject.size() && search.Next(from)) {
    for (int i = 0; i <= search.Groups(); ++i) found.emplace_back(search.Group(i));
    if (!compiled->Op.Global) break;
    if (search.End() > search.Start())
      from = search.End();
    else if (search.Start() < subject.size())
      from = search.StepOver(search.Start());
    else
      break;
  }
  results_ = std::move(found);
  return !results_.empty();
}

bool TRegexEngine::Substitute(std::string_view op, std::string& subject) {
  results_.clear();
  if (subject.empty()) return false;
  const TCompiledRef compiled = CompiledAs(op, TRegexKind::Substitute);
  TSearch search(*compiled, subject);
  std::string out;
  std::size_t copied = 0, from = 0;
  std::vector<std::string> groups;
  bool replaced = false;
  while (from <= subject.size() && search.Next(from)) {
    replaced = true;
    groups.clear();
    for (int i = 0; i <= search.Groups(); ++i) groups.emplace_back(search.Group(i));
    out.append(subject, copied, search.Start() - copied);
    AppendReplacement(out, compiled->Op.Replacement, search);
    copied = search.End();
    if (!compiled->Op.Global) break;
    if (search.End() > search.Start()) {
      from = search.End();
    } else if (search.Start() < subject.size()) {
      from = search.StepOver(search.Start());
      out.append(subject, copied, from - copied);
      copied = from;
    } else {
      break;
    }
  }
  if (!replaced) return false;
  out.append(subject, copied);
  subject = std::move(out);
  results_ = std::move(groups);
  return true;
}

bool TRegexEngine::Translate(std::string_view op, std::string& subject) {
  results_.clear();
  const TCompiledRef compiled = CompiledAs(op, TRegexKind::Translate);
  return TranslateText(compiled->Op, subject) > 0;
}

void TRegexEngine::Split(std::string_view op, std::string_view subject, int limit) {
  results_.clear();
  const TCompiledRef compiled = CompiledAs(op, TRegexKind::Match);
  if (subject.empty()) return;
  TSearch search(*compiled, subject);
  std::vector<std::string> pieces;
  std::size_t fieldStart = 0, from = 0;
  while (static_cast<int>(pieces.size()) + 1 < limit && from <= subject.size() && search.Next(from)) {
    const std::size_t start = search.Start(), end = search.End();
    if (start == end) {
      // An empty match splits between characters, never before the first
      // character of a piece or after the last one.
      if (start >= subject.size()) break;
      if (start == fieldStart) {
        from = search.StepOver(start);
        continue;
      }
    }
    pieces.emplace_back(subject.substr(fieldStart, start - fieldStart));
    for (int i = 1; i <= search.Groups(); ++i) pieces.emplace_back(search.Group(i));
    fieldStart = end;
    from = end;
  }
  pieces.emplace_back(subject.substr(fieldStart));
  results_ = std::move(pieces);
}

std::string TRegexEngine::ResultLines() const {
  std::string out;
  for (const std::string& line : results_) {
    out += line;
    out += kCrLf;
  }
  return out;
}

}  // namespace yura
