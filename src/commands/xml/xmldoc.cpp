#include "commands/xml/xmldoc.h"

#include <utility>

#include "source/sjis.h"
#include "source/textlines.h"
#include "textutil/widthcase.h"

namespace yura {
namespace {

constexpr std::string_view kRootName = "XMLDocument";
constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>";
constexpr std::string_view kMsgBadAttribute1 = "アトリビュートの読み込みで,不正な文字列\"";
constexpr std::string_view kMsgBadAttribute2 = "\"があります。";
constexpr std::string_view kMsgOpenQuote1 = "アトリビュート \"";
constexpr std::string_view kMsgOpenQuote2 = "\"の値が\"で終わっていません。";
constexpr std::string_view kMsgNotShiftJis = "Shift_JIS以外の文字は処理できません。";
constexpr std::string_view kMsgUnmatchedTag = "タグが対応していません。<";
constexpr std::string_view kMsgTooDeep = "タグの入れ子が深すぎます。";

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Letters A-Z to lower case; double-byte characters are copied whole, so a
// trail byte in the letter range is never changed.
std::string FoldAscii(std::string_view text) {
  std::string folded(text);
  for (std::size_t i = 0; i < folded.size(); i += CharLengthAt(folded, i))
    if (folded[i] >= 'A' && folded[i] <= 'Z') folded[i] = static_cast<char>(folded[i] - 'A' + 'a');
  return folded;
}

bool SameName(std::string_view a, std::string_view b) { return MapLowerCase(a) == MapLowerCase(b); }

std::size_t DepthOf(const TMXmlNode& node) {
  std::size_t depth = 0;
  for (const TMXmlNode* p = node.Parent; p != nullptr; p = p->Parent) ++depth;
  return depth;
}

struct TTag {
  std::string Name;
  TMXmlNodeList Attributes;
};

// Reads the text with a cursor; the tree grows from `root` without recursion.
class TMXmlParser {
 public:
  explicit TMXmlParser(std::string_view text) : text_(text) {}

  void SkipWhite() {
    while (pos_ < text_.size() && IsWhite(text_[pos_])) ++pos_;
  }
  bool AtEnd() const { return pos_ >= text_.size(); }
  bool AtTag() const { return !AtEnd() && text_[pos_] == '<'; }
  std::size_t Position() const { return pos_; }
  void Rewind(std::size_t pos) { pos_ = pos; }

  // The cursor stands on "<".
  TTag ReadTag() {
    TTag tag;
    ++pos_;
    while (pos_ < text_.size()) {
      if (CharLengthAt(text_, pos_) == 2) {
        tag.Name.append(text_.substr(pos_, 2));
        pos_ += 2;
        continue;
      }
      const char c = text_[pos_];
      if (c == '>') {
        ++pos_;
        break;
      }
      if (c == ' ') {
        ++pos_;
        if (!tag.Name.empty() && tag.Name[0] == '!') {
          while (pos_ < text_.size() && text_[pos_] != '>') pos_ += CharLengthAt(text_, pos_);
        } else {
          ReadAttributes(tag);
        }
        continue;
      }
      tag.Name += c;
      ++pos_;
    }
    return tag;
  }

  // The bytes up to the next "<" or the end, trimmed.
  std::string ReadText() {
    const std::size_t end = std::min(text_.find('<', pos_), text_.size());
    std::string text(Trim(text_.substr(pos_, end - pos_)));
    pos_ = end;
    return text;
  }

 private:
  void ReadAttributes(TTag& tag) {
    for (;;) {
      SkipWhite();
      if (AtEnd() || text_[pos_] == '>') return;
      std::size_t start = pos_;
      while (pos_ < text_.size() && text_[pos_] != '=' && text_[pos_] != '>') ++pos_;
      std::string name(text_.substr(start, pos_ - start));
      if (AtEnd() || text_[pos_] != '=') {
        if (name == "?" || name == "/") {
          tag.Name += name;
          continue;
        }
        throw EMXmlParser(std::string(kMsgBadAttribute1) + name + std::string(kMsgBadAttribute2));
      }
      ++pos_;
      SkipWhite();
      std::string value;
      if (!AtEnd() && text_[pos_] == '"') {
        const std::size_t close = text_.find('"', pos_ + 1);
        if (close == std::string_view::npos)
          throw EMXmlParser(std::string(kMsgOpenQuote1) + name + std::string(kMsgOpenQuote2));
        value = text_.substr(pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
      } else {
        start = pos_;
        while (pos_ < text_.size()) {
          const char c = text_[pos_];
          if (c == ' ' || c == '/' || c == '>' || c == '?') break;
          ++pos_;
        }
        value = text_.substr(start, pos_ - start);
      }
      tag.Attributes.push_back(std::make_unique<TMXmlNode>(TMXmlKind::Attribute, std::move(name), std::move(value)));
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

bool IsHtmlEmptyElement(std::string_view name) {
  return name == "br" || name == "hr" || name == "meta" || name == "img";
}

// One piece of a node's markup (without its line end). At depth 0 it is
// written as it is; deeper, every line of it gets one tab per level and CR LF.
void Emit(std::string& out, std::string_view piece, std::size_t depth, bool lineEnd) {
  if (depth == 0) {
    out += piece;
    if (lineEnd) out += kCrLf;
    return;
  }
  std::size_t start = 0;
  for (;;) {
    std::size_t i = start;
    while (i < piece.size() && piece[i] != '\r' && piece[i] != '\n') ++i;
    out.append(depth, '\t');
    out += piece.substr(start, i - start);
    out += kCrLf;
    if (i >= piece.size()) break;
    if (piece[i] == '\r' && i + 1 < piece.size() && piece[i + 1] == '\n') ++i;
    start = i + 1;
  }
}

void WriteInto(std::string& out, const TMXmlNode& node, std::size_t depth) {
  if (node.Kind != TMXmlKind::Element) {
    Emit(out, node.Value, depth, true);
    return;
  }
  std::string head = "<" + node.Name;
  for (const auto& attribute : node.Attributes) head += " " + attribute->Name + "=\"" + attribute->Value + "\"";
  if (node.Children.empty()) {
    Emit(out, head + "/>", depth, true);
  } else if (node.Children.size() == 1 && node.Children[0]->Kind == TMXmlKind::Text) {
    Emit(out, head + ">" + InnerText(node) + "</" + node.Name + ">", depth, false);
  } else {
    Emit(out, head + ">", depth, true);
    for (const auto& child : node.Children) WriteInto(out, *child, depth + 1);
    Emit(out, "</" + node.Name + ">", depth, true);
  }
}

void CollectPaths(std::string& out, const TMXmlNode& node, const std::string& prefix) {
  if (node.Children.empty()) {
    out += prefix + node.Name;
    out += kCrLf;
    return;
  }
  const std::string inner = prefix + node.Name + "\\";
  for (const auto& child : node.Children) CollectPaths(out, *child, inner);
}

void CollectMatches(std::vector<TMXmlNode*>& found, TMXmlNode& node, const std::vector<std::string>& names,
                    std::size_t index) {
  if (index >= names.size() || FoldAscii(node.Name) != names[index]) return;
  if (index + 1 == names.size()) {
    found.push_back(&node);
    return;
  }
  for (const auto& child : node.Children) CollectMatches(found, *child, names, index + 1);
}

TMXmlNode* FindChild(TMXmlNode& node, std::string_view name) {
  const std::string wanted = MapLowerCase(name);
  for (const auto& child : node.Children)
    if (MapLowerCase(child->Name) == wanted) return child.get();
  return nullptr;
}

}  // namespace

TMXmlNode* TMXmlNode::AddChild(std::unique_ptr<TMXmlNode> child) {
  if (!child) return nullptr;
  child->Parent = this;
  Children.push_back(std::move(child));
  return Children.back().get();
}

TMXmlDocument::TMXmlDocument() : root_(std::make_unique<TMXmlNode>(TMXmlKind::Element, std::string(kRootName))) {}

// Takes a tree apart one node at a time, however deep it is.
static void FreeTree(std::unique_ptr<TMXmlNode> root) {
  std::vector<std::unique_ptr<TMXmlNode>> pending;
  pending.push_back(std::move(root));
  while (!pending.empty()) {
    std::unique_ptr<TMXmlNode> node = std::move(pending.back());
    pending.pop_back();
    if (node)
      for (auto& child : node->Children) pending.push_back(std::move(child));
  }
}

TMXmlDocument::~TMXmlDocument() { FreeTree(std::move(root_)); }

void TMXmlDocument::LoadText(std::string_view text) {
  lines_.clear();
  for (std::string_view line : SplitLines(text)) lines_.emplace_back(line);
  std::string copy(text);
  FreeTree(std::exchange(root_, std::make_unique<TMXmlNode>(TMXmlKind::Element, std::string(kRootName))));
  TMXmlParser parser(copy);
  // Declaration and mode.
  parser.SkipWhite();
  const std::size_t begin = parser.Position();
  TTag first;
  if (parser.AtTag()) first = parser.ReadTag();
  if (MapLowerCase(first.Name) == "?xml?") {
    htmlMode_ = false;
    for (const auto& attribute : first.Attributes) {
      const std::string name = MapLowerCase(attribute->Name);
      if (name == "version") version_ = attribute->Value;
      if (name == "encoding") encoding_ = attribute->Value;
    }
    if (!first.Attributes.empty() && encoding_ != "Shift_JIS") throw EMXmlParser(std::string(kMsgNotShiftJis));
  } else {
    htmlMode_ = true;
    parser.Rewind(begin);
  }
  // The tree.
  TMXmlNode* current = root_.get();
  std::size_t depth = 0;
  parser.SkipWhite();
  while (!parser.AtEnd()) {
    if (!parser.AtTag()) {
      current->AddChild(std::make_unique<TMXmlNode>(TMXmlKind::Text, std::string(), parser.ReadText()));
      parser.SkipWhite();
      continue;
    }
    TTag tag = parser.ReadTag();
    parser.SkipWhite();
    if (tag.Name.empty() || tag.Name[0] == '!') continue;
    if (tag.Name[0] == '/') {
      const std::string name = MapLowerCase(std::string_view(tag.Name).substr(1));
      if (MapLowerCase(current->Name) != name) continue;
      current = current->Parent;
      --depth;
      if (current == nullptr) throw EMXmlParser(std::string(kMsgUnmatchedTag) + name + ">");
      continue;
    }
    std::string name = htmlMode_ ? MapLowerCase(tag.Name) : std::move(tag.Name);
    bool empty = htmlMode_ && IsHtmlEmptyElement(name);
    if (!empty && name.back() == '/') {
      empty = true;
      name.pop_back();
    }
    if (depth >= kMaxXmlDepth) throw EMXmlParser(std::string(kMsgTooDeep));
    auto element = std::make_unique<TMXmlNode>(TMXmlKind::Element, std::move(name));
    for (auto& attribute : tag.Attributes) attribute->Parent = element.get();
    element->Attributes = std::move(tag.Attributes);
    TMXmlNode* added = current->AddChild(std::move(element));
    if (!empty) {
      current = added;
      ++depth;
    }
  }
}

void TMXmlDocument::SetAutoRegenerate(bool flag) {
  autoRegenerate_ = flag;
  if (!flag) return;
  std::string text;
  for (const std::string& line : lines_) (text += line) += kCrLf;
  LoadText(text);
}

void TMXmlDocument::Regenerate() {
  std::string text;
  if (!htmlMode_) (text += kDeclaration) += kCrLf;
  for (const auto& child : root_->Children) (text += WriteNode(*child)) += kCrLf;
  lines_.clear();
  for (std::string_view line : SplitLines(text)) lines_.emplace_back(line);
}

std::string TMXmlDocument::GetText() {
  if (autoRegenerate_) Regenerate();
  return JoinLinesWithEnds(lines_);
}

std::string TMXmlDocument::ListPaths() const {
  std::string out;
  for (const auto& child : root_->Children) CollectPaths(out, *child, std::string());
  return out;
}

TMXmlNode* FindPath(TMXmlNode& node, std::string_view path) {
  TMXmlNode* current = &node;
  for (std::string_view name : PathSegments(path)) {
    current = FindChild(*current, name);
    if (current == nullptr) return nullptr;
  }
  return current;
}

TMXmlNode* EnsurePath(TMXmlNode& node, std::string_view path) {
  TMXmlNode* current = &node;
  std::size_t depth = DepthOf(node);
  for (std::string_view name : PathSegments(path)) {
    if (name.empty()) break;
    ++depth;
    if (TMXmlNode* found = FindChild(*current, name)) {
      current = found;
      continue;
    }
    if (depth > kMaxXmlDepth) throw EMXmlParser(std::string(kMsgTooDeep));
    current = current->AddChild(std::make_unique<TMXmlNode>(TMXmlKind::Element, std::string(name)));
  }
  return current;
}

std::vector<TMXmlNode*> FindAll(TMXmlNode& node, std::string_view path) {
  std::vector<std::string> names;
  for (std::string_view name : PathSegments(path)) names.push_back(FoldAscii(name));
  std::vector<TMXmlNode*> found;
  CollectMatches(found, node, names, 0);
  return found;
}

std::string InnerText(const TMXmlNode& node) {
  std::string text;
  for (const auto& child : node.Children)
    if (child->Kind == TMXmlKind::Text) text += child->Value;
  return text;
}

void SetInnerText(TMXmlNode& node, std::string_view text) {
  for (const auto& child : node.Children)
    if (child->Kind == TMXmlKind::Text) {
      child->Value = text;
      return;
    }
  node.AddChild(std::make_unique<TMXmlNode>(TMXmlKind::Text, std::string(), std::string(text)));
}

void SetAttribute(TMXmlNode& node, std::string_view name, std::string_view value) {
  for (const auto& attribute : node.Attributes)
    if (SameName(attribute->Name, name)) {
      attribute->Value = value;
      return;
    }
  auto attribute = std::make_unique<TMXmlNode>(TMXmlKind::Attribute, std::string(name), std::string(value));
  attribute->Parent = &node;
  node.Attributes.push_back(std::move(attribute));
}

std::string WriteNode(const TMXmlNode& node) {
  std::string out;
  WriteInto(out, node, 0);
  return out;
}

}  // namespace yura
