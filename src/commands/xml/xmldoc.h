// A small lenient XML/HTML document on Shift_JIS bytes: a parser that keeps
// names, values and texts exactly as written (no references are decoded), path
// look-ups by "\"-separated names, a writer and a path listing.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace yura {

// A parse failure; the message is the text shown to the script.
class EMXmlParser : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TMXmlKind : std::uint8_t { None = 0, Element = 1, Attribute = 2, Text = 3 };

struct TMXmlNode;
using TMXmlNodeList = std::vector<std::unique_ptr<TMXmlNode>>;

struct TMXmlNode {
  TMXmlNode* Parent = nullptr;
  TMXmlKind Kind = TMXmlKind::None;
  std::string Name;   // "" for text nodes
  std::string Value;  // attribute value or text
  TMXmlNodeList Children;
  TMXmlNodeList Attributes;

  TMXmlNode(TMXmlKind kind, std::string name, std::string value = {})
      : Kind(kind), Name(std::move(name)), Value(std::move(value)) {}
  TMXmlNode* AddChild(std::unique_ptr<TMXmlNode> child);
};

// Deepest element nesting a document may have: the writer indents every line
// by its depth, so deeper trees would make the output grow with its square.
inline constexpr std::size_t kMaxXmlDepth = 1024;

class TMXmlDocument {
 public:
  TMXmlDocument();
  ~TMXmlDocument();
  TMXmlDocument(const TMXmlDocument&) = delete;
  TMXmlDocument& operator=(const TMXmlDocument&) = delete;

  void LoadText(std::string_view text);  // may throw EMXmlParser
  void SetAutoRegenerate(bool flag);     // true parses the stored text again
  std::string GetText();                 // lines joined, each with CR LF
  std::string ListPaths() const;

  TMXmlNode& Root() { return *root_; }
  bool HtmlMode() const { return htmlMode_; }
  const std::string& Version() const { return version_; }
  const std::string& Encoding() const { return encoding_; }

 private:
  void Parse();
  void Regenerate();

  std::vector<std::string> lines_;
  bool autoRegenerate_ = false;
  std::string version_ = "1.0";
  std::string encoding_ = "Shift_JIS";
  bool htmlMode_ = false;
  std::unique_ptr<TMXmlNode> root_;
};

// Node operations. Names compare without regard to case; a 0x5C trail byte
// never separates path names.
TMXmlNode* FindPath(TMXmlNode& node, std::string_view path);
TMXmlNode* EnsurePath(TMXmlNode& node, std::string_view path);  // may throw EMXmlParser (too deep)
std::vector<TMXmlNode*> FindAll(TMXmlNode& node, std::string_view path);
std::string InnerText(const TMXmlNode& node);
void SetInnerText(TMXmlNode& node, std::string_view text);
void SetAttribute(TMXmlNode& node, std::string_view name, std::string_view value);
std::string WriteNode(const TMXmlNode& node);

}  // namespace yura
