// Width, case and kana conversion, character tests, character codes, the
// Japanese code conversions and Base64.
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "core/errors.h"
#include "core/platform_errors.h"
#include "engine/engine.h"
#include "source/sjis.h"
#include "textutil/base64.h"
#include "textutil/jcode.h"
#include "textutil/widthcase.h"

namespace yura {
namespace {

template <std::string (*Map)(std::string_view)>
void Convert(TEngine& engine, THashNode&) {
  engine.SetSore(Map(engine.PopValue()), kTagString);
}

// Only these 87 full-width characters become half-width; everything else,
// kana included, stays.
std::string MapAlphanumericsHalfWidth(std::string_view text) {
  static constexpr std::string_view kFull =
      "０１２３４５６７８９ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ"
      "！”＃＄％＆’（）＝－￥［］｛｝＿／＞＜，．＠‘　";
  static constexpr std::string_view kHalf =
      "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!\"#$%&'()=-\\[]{}_/><,.@` ";
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = CharLengthAt(text, i);
    const std::string_view character = text.substr(i, length);
    std::size_t index = std::string_view::npos;
    if (length == 2)
      for (std::size_t k = 0; k + 1 < kFull.size(); k += 2)
        if (kFull.substr(k, 2) == character) {
          index = k / 2;
          break;
        }
    if (index != std::string_view::npos)
      out += kHalf[index];
    else
      out.append(character);
    i += length;
  }
  return out;
}

void SetFlag(TEngine& engine, bool value) { engine.SetSore(value ? "1" : "0", kTagNumber); }

void IsUpperCase(TEngine& engine, THashNode&) {
  const std::string text = engine.PopValue();
  if (text.empty()) return SetFlag(engine, false);
  const std::string first = MapHalfWidth(std::string_view(text).substr(0, CharLengthAt(text, 0)));
  SetFlag(engine, first.size() == 1 && first[0] >= 'A' && first[0] <= 'Z');
}

void IsDigitCharacter(TEngine& engine, THashNode&) {
  const std::string text = engine.PopValue();
  if (text.empty()) return SetFlag(engine, false);
  const std::string first = MapHalfWidth(std::string_view(text).substr(0, CharLengthAt(text, 0)));
  SetFlag(engine, first.size() == 1 && first[0] >= '0' && first[0] <= '9');
}

void IsNumeral(TEngine& engine, THashNode&) {
  const std::string text = engine.PopValue();
  bool numeral = !text.empty() && text[0] >= '0' && text[0] <= '9';
  for (std::size_t i = 1; numeral && i < text.size(); ++i) {
    const char c = text[i];
    numeral = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'E' || c == 'e';
  }
  SetFlag(engine, numeral);
}

void IsFullWidth(TEngine& engine, THashNode&) {
  const std::string text = engine.PopValue();
  SetFlag(engine, !text.empty() && IsLeadByte(text[0]));
}

bool FirstCodeIn(const std::string& text, unsigned low, unsigned high) {
  if (text.size() < 2) return false;
  const unsigned code = DoubleByteCode(text, 0);
  return code >= low && code <= high;
}

void IsHiragana(TEngine& engine, THashNode&) { SetFlag(engine, FirstCodeIn(engine.PopValue(), 0x82A0, 0x833E)); }
void IsKatakana(TEngine& engine, THashNode&) { SetFlag(engine, FirstCodeIn(engine.PopValue(), 0x8340, 0x839D)); }

void Character(TEngine& engine, THashNode& entry) {
  const long long code = PopIntegerArgument(engine, -1);
  if (code < 0) engine.Raise(kMsgArgumentError, {engine.CommandName(entry)});
  if (code > 0xFFFF) throw EPlainError(std::string(kMsgRangeCheck));
  std::string text;
  if (code > 0xFF) text += static_cast<char>(code >> 8);
  text += static_cast<char>(code & 0xFF);
  engine.SetSore(std::move(text), kTagString);
}

void CharacterCode(TEngine& engine, THashNode& entry) {
  const std::string text = engine.PopValue();
  if (text.empty()) engine.Raise(kMsgArgumentError, {engine.CommandName(entry)});
  const unsigned code = CharLengthAt(text, 0) == 2 ? DoubleByteCode(text, 0) : static_cast<unsigned char>(text[0]);
  engine.SetSore(std::to_string(code), kTagNumber);
}

// The detecting conversions leave an empty value alone (only the kind of
// それ becomes string).
void ConvertDetected(TEngine& engine, int target) {
  const std::string text = engine.PopValue();
  if (text.empty()) {
    engine.State().SoreNode->Description = kTagString;
    return;
  }
  engine.SetSore(ConvertJCode(text, DetectJCode(text), target), kTagString);
}

void ToEuc(TEngine& engine, THashNode&) { ConvertDetected(engine, jcEuc); }
void ToJis(TEngine& engine, THashNode&) { ConvertDetected(engine, jcJisNew); }
void ToSjis(TEngine& engine, THashNode&) { ConvertDetected(engine, jcSjis); }

int CodeNamed(std::string name) {
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (name == "EUC") return jcEuc;
  if (name == "JIS") return jcJisNew;
  return jcSjis;
}

void ConvertBetween(TEngine& engine, THashNode&) {
  const int target = CodeNamed(engine.PopValue());
  const int source = CodeNamed(engine.PopValue());
  engine.SetSore(ConvertJCode(engine.PopValue(), source, target), kTagString);
}

void EncodeHeader(TEngine& engine, THashNode&) { engine.SetSore(EncodeMailHeader(engine.PopValue()), kTagString); }
void DecodeHeader(TEngine& engine, THashNode&) { engine.SetSore(DecodeMailHeader(engine.PopValue()), kTagString); }

void CutMbx(TEngine& engine, THashNode&) {
  const std::string name = Unbackquote(engine.PopRaw());
  const TNodeRef variable = engine.State().Words.Find(name, false);
  if (!variable) engine.Raise(kMsgNotIdentified, {name});
  TMbxCut cut = CutMbxMessage(variable->Value());
  if (variable != engine.State().SoreNode) variable->SetValue(std::move(cut.Rest));
  engine.SetSore(std::move(cut.Message), kTagString);
}

void EncodeBase64(TEngine& engine, THashNode&) { engine.SetSore(Base64Encode(engine.PopValue()), kTagString); }

void DecodeBase64(TEngine& engine, THashNode&) {
  engine.SetSore(Base64Decode(engine.PopValue()).value_or(std::string()), kTagString);
}

}  // namespace

void RegisterTextConversionHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(27, Convert<MapHalfWidth>);
  dispatcher.Register(80, Convert<MapFullWidth>);
  dispatcher.Register(267, Convert<MapAlphanumericsHalfWidth>);
  dispatcher.Register(197, Convert<MapUpperCase>);
  dispatcher.Register(198, Convert<MapLowerCase>);
  dispatcher.Register(230, Convert<MapHiragana>);
  dispatcher.Register(231, Convert<MapKatakana>);
  dispatcher.Register(284, IsUpperCase);
  dispatcher.Register(285, IsDigitCharacter);
  dispatcher.Register(413, IsNumeral);
  dispatcher.Register(286, IsFullWidth);
  dispatcher.Register(287, IsHiragana);
  dispatcher.Register(288, IsKatakana);
  dispatcher.Register(76, Character);
  dispatcher.Register(75, CharacterCode);
  dispatcher.Register(290, ToEuc);
  dispatcher.Register(291, ToJis);
  dispatcher.Register(292, ToSjis);
  dispatcher.Register(456, ConvertBetween);
  dispatcher.Register(457, EncodeHeader);
  dispatcher.Register(458, DecodeHeader);
  dispatcher.Register(459, CutMbx);
  dispatcher.Register(378, EncodeBase64);
  dispatcher.Register(379, DecodeBase64);
}

}  // namespace yura
