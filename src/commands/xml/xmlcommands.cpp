// The XML commands: XMLテキストデータ取得, XMLテキストデータ設定, XML属性データ取得,
// XML属性データ設定, XML切り出し and XMLパス形式で取得. Each builds its own
// document from its first argument; nothing is kept between commands.
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "commands/xml/xmldoc.h"
#include "core/errors.h"
#include "engine/engine.h"
#include "source/textlines.h"

namespace yura {
namespace {

// A parsed document; `regenerate` for the commands that write it back.
void Load(TMXmlDocument& document, std::string_view text, bool regenerate) {
  try {
    document.LoadText(text);
    if (regenerate) document.SetAutoRegenerate(true);
  } catch (const EMXmlParser& error) {
    throw EPlainError(error.what());
  }
}

// XMLテキストデータ取得 (441): the texts of every node on the path, one a line.
void GetTextData(TEngine& engine, THashNode&) {
  const std::string path = engine.PopValue();
  const std::string text = engine.PopValue();
  TMXmlDocument document;
  Load(document, text, false);
  std::string result;
  for (TMXmlNode* node : FindAll(document.Root(), "XMLDocument\\" + path)) (result += InnerText(*node)) += kCrLf;
  engine.SetSore(std::string(Trim(result)), kTagString);
}

// XMLテキストデータ設定 (442).
void SetTextData(TEngine& engine, THashNode&) {
  const std::string value = engine.PopValue();
  const std::string path = engine.PopValue();
  const std::string text = engine.PopValue();
  TMXmlDocument document;
  Load(document, text, true);
  try {
    SetInnerText(*EnsurePath(document.Root(), path), value);
  } catch (const EMXmlParser& error) {
    throw EPlainError(error.what());
  }
  engine.SetSore(document.GetText(), kTagString);
}

// XML属性データ取得 (443): "name=value" lines.
void GetAttributeData(TEngine& engine, THashNode&) {
  const std::string path = engine.PopValue();
  const std::string text = engine.PopValue();
  TMXmlDocument document;
  Load(document, text, false);
  std::string result;
  if (const TMXmlNode* node = FindPath(document.Root(), path))
    for (const auto& attribute : node->Attributes) (((result += attribute->Name) += "=") += attribute->Value) += kCrLf;
  engine.SetSore(std::move(result), kTagString);
}

// XML属性データ設定 (444): the node's attributes become the given lines.
void SetAttributeData(TEngine& engine, THashNode&) {
  const std::string lines = engine.PopValue();
  const std::string path = engine.PopValue();
  const std::string text = engine.PopValue();
  TMXmlDocument document;
  Load(document, text, true);
  TMXmlNode* node = nullptr;
  try {
    node = EnsurePath(document.Root(), path);
  } catch (const EMXmlParser& error) {
    throw EPlainError(error.what());
  }
  node->Attributes.clear();
  for (std::string_view line : SplitLines(lines)) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
      SetAttribute(*node, line, {});
    else
      SetAttribute(*node, line.substr(0, equals), line.substr(equals + 1));
  }
  engine.SetSore(document.GetText(), kTagString);
}

// XML切り出し (445): the markup of the node on the path.
void CutOut(TEngine& engine, THashNode&) {
  const std::string path = engine.PopValue();
  const std::string text = engine.PopValue();
  TMXmlDocument document;
  Load(document, text, true);
  const TMXmlNode* node = FindPath(document.Root(), path);
  engine.SetSore(node != nullptr ? WriteNode(*node) : std::string(), kTagString);
}

// XMLパス形式で取得 (453).
void ListPathData(TEngine& engine, THashNode&) {
  const std::string text = engine.PopValue();
  TMXmlDocument document;
  Load(document, text, true);
  engine.SetSore(document.ListPaths(), kTagString);
}

}  // namespace

void RegisterXmlHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(441, GetTextData);
  dispatcher.Register(442, SetTextData);
  dispatcher.Register(443, GetAttributeData);
  dispatcher.Register(444, SetAttributeData);
  dispatcher.Register(445, CutOut);
  dispatcher.Register(453, ListPathData);
}

}  // namespace yura
