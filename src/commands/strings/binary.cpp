// A variable's value as a byte buffer: 確保, バイナリ取得, バイナリ設定. Every
// access stays inside the value.
#include <cstdint>

#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "core/bytes.h"
#include "core/errors.h"
#include "core/platform_errors.h"
#include "engine/engine.h"

namespace yura {
namespace {

[[noreturn]] void RangeError() { throw EPlainError(std::string(kMsgRangeCheck)); }

void Reserve(TEngine& engine, THashNode&) {
  const long long size = PopNumberArgument(engine);
  const TNodeRef variable = WritableWord(engine, PopName(engine), kTagString);
  if (size < 0) RangeError();
  variable->MutableValue().resize(static_cast<std::size_t>(size), '\0');
}

TNodeRef BufferVariable(TEngine& engine, const std::string& raw) {
  const std::string name = Unbackquote(raw);
  TNodeRef variable = engine.State().Words.Find(name, false);
  if (!variable) engine.Raise(kMsgNotIdentified, {name});
  return variable;
}

std::string UpperForm(std::string form) {
  for (char& c : form)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return form;
}

// The 0-based offset of a 1-based position; positions below 1 address the
// first byte. The access of `width` bytes must fit in the value.
std::size_t Checked(const std::string& buffer, long long position, std::size_t width) {
  const std::size_t offset = position < 1 ? 0 : static_cast<std::size_t>(position - 1);
  if (offset > buffer.size() || width > buffer.size() - offset) RangeError();
  return offset;
}

void GetBinary(TEngine& engine, THashNode&) {
  const std::string form = UpperForm(engine.PopValue());
  const long long position = PopNumberArgument(engine);
  const TNodeRef variable = BufferVariable(engine, engine.PopRaw());
  const std::string& buffer = variable->Value();
  if (form == "CHAR") {
    engine.SetSore(std::string(1, buffer[Checked(buffer, position, 1)]), kTagString);
  } else if (form == "BYTE") {
    engine.SetSore(std::to_string(ReadLittleEndian(buffer, Checked(buffer, position, 1), 1)), kTagNumber);
  } else if (form == "WORD") {
    engine.SetSore(std::to_string(ReadLittleEndian(buffer, Checked(buffer, position, 2), 2)), kTagNumber);
  } else if (form == "DWORD") {
    engine.SetSore(std::to_string(ReadLittleEndian(buffer, Checked(buffer, position, 4), 4)), kTagNumber);
  } else if (form == "INT") {
    const auto value = static_cast<std::uint32_t>(ReadLittleEndian(buffer, Checked(buffer, position, 4), 4));
    engine.SetSore(std::to_string(static_cast<std::int32_t>(value)), kTagNumber);
  } else if (form == "CHAR*") {
    const std::size_t offset = Checked(buffer, position, 0);
    const std::size_t zero = buffer.find('\0', offset);
    // Only the value changes; the kind of それ stays.
    engine.State().SoreNode->SetValue(buffer.substr(offset, zero == std::string::npos ? std::string::npos : zero - offset));
  }
}

std::uint64_t UnsignedNumber(TNumber number, std::uint64_t limit) {
  const auto value = TruncateToInt64(number);
  if (!value || *value < 0 || static_cast<std::uint64_t>(*value) > limit) RangeError();
  return static_cast<std::uint64_t>(*value);
}

void SetBinary(TEngine& engine, THashNode&) {
  const std::string form = UpperForm(engine.PopValue());
  const long long position = PopNumberArgument(engine);
  const TNodeRef variable = BufferVariable(engine, engine.PopRaw());
  const std::string value = engine.PopValue();
  std::string& buffer = variable->MutableValue();
  if (form == "CHAR") {
    buffer[Checked(buffer, position, 1)] = value.empty() ? '\0' : value[0];
  } else if (form == "BYTE") {
    WriteLittleEndian(buffer, Checked(buffer, position, 1), 1,
                      static_cast<std::uint64_t>(TruncateToInt64(ToNumber(value)).value_or(0)) & 0xFF);
  } else if (form == "WORD") {
    WriteLittleEndian(buffer, Checked(buffer, position, 2), 2, UnsignedNumber(ToNumber(value), 0xFFFFFFFFu) & 0xFFFF);
  } else if (form == "DWORD") {
    WriteLittleEndian(buffer, Checked(buffer, position, 4), 4, UnsignedNumber(ToNumber(value), 0xFFFFFFFFu));
  } else if (form == "INT") {
    const auto number = TruncateToInt32(ToNumber(value));
    if (!number) RangeError();
    WriteLittleEndian(buffer, Checked(buffer, position, 4), 4, static_cast<std::uint32_t>(*number));
  } else if (form == "CHAR*") {
    const std::size_t offset = Checked(buffer, position, value.size() + 1);
    buffer.replace(offset, value.size(), value);
    buffer[offset + value.size()] = '\0';
  }
}

}  // namespace

void RegisterBinaryHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(73, Reserve);
  dispatcher.Register(415, GetBinary);
  dispatcher.Register(416, SetBinary);
}

}  // namespace yura
