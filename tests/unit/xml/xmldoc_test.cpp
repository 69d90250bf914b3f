#include "commands/xml/xmldoc.h"

#include <gtest/gtest.h>

#include <string>

namespace yura {
namespace {

// The document after a parse, as the path listing shows it.
std::string Paths(std::string_view text) {
  TMXmlDocument document;
  document.LoadText(text);
  return document.ListPaths();
}

std::string Regenerated(std::string_view text) {
  TMXmlDocument document;
  document.LoadText(text);
  document.SetAutoRegenerate(true);
  return document.GetText();
}

std::string ParseError(std::string_view text) {
  TMXmlDocument document;
  try {
    document.LoadText(text);
  } catch (const EMXmlParser& error) {
    return error.what();
  }
  return "(no error)";
}

TEST(XmlDocument, TreeShapes) {
  struct TCase {
    std::string_view Text, Paths;
  };
  const TCase cases[] = {
      {"<a x=\"1\"><b>t</b><c/></a>", "a\\b\\\r\na\\c\r\n"},
      // HTML mode lower-cases names; XML mode keeps them and closes across case.
      {"<Item>a</Item><Item>b</Item>", "item\\\r\nitem\\\r\n"},
      {"<?xml version=\"1.0\"?><Item>a</ITEM><Item/>", "Item\\\r\nItem\r\n"},
      {"<p>x<br>y</p>", "p\\\r\np\\br\r\np\\\r\n"},
      {"<P><IMG src=a><HR><Meta x=1></P>", "p\\img\r\np\\hr\r\np\\meta\r\n"},
      {"<a><br/></a>", "a\\br\r\n"},
      {"<a><br /></a>", "a\\br\r\n"},
      // A stray closing tag is ignored; nothing is closed implicitly.
      {"<a><c></b>t</a>", "a\\c\\\r\n"},
      // Comments and declarations end at their first ">".
      {"<!-- a > b --><x/>", "\r\nx\r\n"},  // a top-level text lists as an empty line
      {"<!DOCTYPE html><html></html>", "html\r\n"},
      // A processing instruction other than the declaration opens an element.
      {"<?x y=\"1\"?><a/>", "?x?\\a\r\n"},
      // A declaration not ending in "?>" leaves HTML mode.
      {"<?xml version=\"1.0\"><A/>", "?xml\\a\r\n"},
      {"  top  <a/>  tail ", "\r\na\r\n\r\n"},
      // Elements still open at the end stay open.
      {"<a><b>", "a\\b\r\n"},
      {"", ""},
  };
  for (const TCase& c : cases) EXPECT_EQ(Paths(c.Text), c.Paths) << c.Text;
}

TEST(XmlDocument, DeclarationAndMode) {
  TMXmlDocument xml;
  xml.LoadText("\r\n <?XML Version=\"1.1\" encoding=\"Shift_JIS\"?><a/>");
  EXPECT_FALSE(xml.HtmlMode());
  EXPECT_EQ(xml.Version(), "1.1");
  EXPECT_EQ(xml.Encoding(), "Shift_JIS");
  TMXmlDocument bare;
  bare.LoadText("<?xml?><A/>");
  EXPECT_FALSE(bare.HtmlMode());
  EXPECT_EQ(bare.ListPaths(), "A\r\n");
  TMXmlDocument html;
  html.LoadText("text");
  EXPECT_TRUE(html.HtmlMode());
}

TEST(XmlDocument, ParseErrors) {
  struct TCase {
    std::string_view Text, Message;
  };
  const TCase cases[] = {
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "Shift_JIS以外の文字は処理できません。"},
      {"<?xml encoding=\"shift_jis\"?>", "Shift_JIS以外の文字は処理できません。"},
      {"<a b>", "アトリビュートの読み込みで,不正な文字列\"b\"があります。"},
      {"<a x=1/y>", "アトリビュートの読み込みで,不正な文字列\"/y\"があります。"},
      {"<a b=\"open>", "アトリビュート \"b\"の値が\"で終わっていません。"},
      {"<a b =\"open>", "アトリビュート \"b \"の値が\"で終わっていません。"},
      {"<a/></xmldocument>", "タグが対応していません。<xmldocument>"},
      {"<?xml?></XMLDocument>", "タグが対応していません。<xmldocument>"},
  };
  for (const TCase& c : cases) EXPECT_EQ(ParseError(c.Text), c.Message) << c.Text;
}

TEST(XmlDocument, AttributesAreReadAsWritten) {
  TMXmlDocument document;
  document.LoadText("<a x=\"1 > 2\" y = \"q\" z=plain w='s' x=\"dup\" e=>t</a>");
  const TMXmlNode* a = FindPath(document.Root(), "a");
  ASSERT_NE(a, nullptr);
  std::string lines;
  for (const auto& attribute : a->Attributes) lines += attribute->Name + "=" + attribute->Value + "|";
  EXPECT_EQ(lines, "x=1 > 2|y =q|z=plain|w='s'|x=dup|e=|");
  EXPECT_EQ(InnerText(*a), "t");
}

TEST(XmlDocument, PathLookups) {
  TMXmlDocument document;
  document.LoadText("<?xml?><Root><Item>a</Item><item k=\"1\">b</item><Ｆｕｌｌ/></Root>");
  TMXmlNode& root = document.Root();
  EXPECT_EQ(FindPath(root, ""), &root);
  const TMXmlNode* first = FindPath(root, "ROOT\\ITEM");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(InnerText(*first), "a");
  EXPECT_EQ(FindPath(root, "root\\item\\"), first);      // a final separator adds no name
  EXPECT_NE(FindPath(root, "root\\ｆｕｌｌ"), nullptr);  // system case mapping
  EXPECT_EQ(FindPath(root, "root\\item\\x"), nullptr);
  EXPECT_EQ(FindPath(root, "nothing"), nullptr);

  std::string texts;
  for (TMXmlNode* node : FindAll(root, "XMLDocument\\root\\ITEM")) texts += InnerText(*node) + ";";
  EXPECT_EQ(texts, "a;b;");
  EXPECT_TRUE(FindAll(root, "XMLDocument\\root\\ｆｕｌｌ").empty());  // only A-Z fold here
  ASSERT_EQ(FindAll(root, "XMLDocument\\").size(), 1u);
}

TEST(XmlDocument, TrailBytesAreNeverSeparatorsOrLetters) {
  // 表 and ソ end in 0x5C; ア ends in 0x41 ("A").
  TMXmlDocument document;
  document.LoadText("<表><ソ>値</ソ><アA>x</アA></表>");
  EXPECT_TRUE(document.HtmlMode());
  EXPECT_EQ(document.ListPaths(), "表\\ソ\\\r\n表\\アa\\\r\n");
  const TMXmlNode* node = FindPath(document.Root(), "表\\ソ");
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(InnerText(*node), "値");
  EXPECT_NE(FindPath(document.Root(), "表\\アa"), nullptr);
  EXPECT_EQ(FindPath(document.Root(), "表\\ア"), nullptr);
  EXPECT_EQ(FindAll(document.Root(), "XMLDocument\\表\\アA").size(), 1u);
  TMXmlNode* made = EnsurePath(document.Root(), "表\\新ソ\\表");
  EXPECT_EQ(made->Name, "表");
  EXPECT_EQ(made->Parent->Name, "新ソ");
}

TEST(XmlDocument, EnsurePathCreatesWhatIsMissing) {
  TMXmlDocument document;
  document.LoadText("<a><B/></a>");
  TMXmlNode& root = document.Root();
  EXPECT_EQ(EnsurePath(root, ""), &root);
  TMXmlNode* b = EnsurePath(root, "A\\b");
  EXPECT_EQ(b, FindPath(root, "a\\b"));
  TMXmlNode* c = EnsurePath(root, "a\\C\\");
  EXPECT_EQ(c->Name, "C");
  EXPECT_EQ(EnsurePath(root, "a\\\\x"), FindPath(root, "a"));  // stops at the empty name
  EXPECT_EQ(document.ListPaths(), "a\\b\r\na\\C\r\n");
}

TEST(XmlDocument, Writing) {
  struct TCase {
    std::string_view Text, Written;
  };
  const TCase cases[] = {
      {"<a x=\"1\"><b>t</b><c/></a>", "<a x=\"1\">\r\n\t<b>t</b>\r\n\t<c/>\r\n</a>\r\n\r\n"},
      {"<?xml version=\"1.1\" encoding=\"Shift_JIS\"?><a>&lt;&amp;</a>",
       "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<a>&lt;&amp;</a>\r\n"},
      {"top<a/>", "top\r\n\r\n<a/>\r\n\r\n"},
      {"<a><b><c>x</c>y</b></a>", "<a>\r\n\t<b>\r\n\t\t<c>x</c>\r\n\t\ty\r\n\t</b>\r\n</a>\r\n\r\n"},
      // Inner line breaks become lines of their own, each indented.
      {"<a><b>l1\nl2\r\n\r\nl3</b></a>", "<a>\r\n\t<b>l1\r\n\tl2\r\n\t\r\n\tl3</b>\r\n</a>\r\n\r\n"},
      {"<p>x<br>y</p>", "<p>\r\n\tx\r\n\t<br/>\r\n\ty\r\n</p>\r\n\r\n"},
      {"", ""},
  };
  for (const TCase& c : cases) EXPECT_EQ(Regenerated(c.Text), c.Written) << c.Text;

  TMXmlDocument document;
  document.LoadText("<a><b>t\nu</b><c k=\"v\"/></a>");
  EXPECT_EQ(WriteNode(*FindPath(document.Root(), "a\\b")), "<b>t\nu</b>");
  EXPECT_EQ(WriteNode(*FindPath(document.Root(), "a\\c")), "<c k=\"v\"/>\r\n");
  EXPECT_EQ(WriteNode(*FindPath(document.Root(), "a\\b\\")), "<b>t\nu</b>");
  EXPECT_EQ(WriteNode(*FindPath(document.Root(), "a")), "<a>\r\n\t<b>t\r\n\tu</b>\r\n\t<c k=\"v\"/>\r\n</a>\r\n");
}

TEST(XmlDocument, TextAndAttributeSetters) {
  TMXmlDocument document;
  document.LoadText("<a/>");
  document.SetAutoRegenerate(true);
  SetInnerText(*EnsurePath(document.Root(), "a\\b"), "z");
  EXPECT_EQ(document.GetText(), "<a>\r\n\t<b>z</b>\r\n</a>\r\n\r\n");
  TMXmlNode* b = FindPath(document.Root(), "a\\b");
  SetInnerText(*b, "w");
  ASSERT_EQ(b->Children.size(), 1u);
  EXPECT_EQ(InnerText(*b), "w");
  SetAttribute(*b, "K", "1");
  SetAttribute(*b, "j", "2");
  SetAttribute(*b, "k", "3");
  EXPECT_EQ(WriteNode(*b), "<b K=\"3\" j=\"2\">w</b>");
}

TEST(XmlDocument, TextWithoutRegenerationKeepsTheLines) {
  TMXmlDocument document;
  document.LoadText("<a>\nx\r</a>");
  EXPECT_EQ(document.GetText(), "<a>\r\nx\r\n</a>\r\n");
}

TEST(XmlDocument, NestingDepthIsBounded) {
  auto nested = [](std::size_t depth) {
    std::string text;
    for (std::size_t i = 0; i < depth; ++i) text += "<a>";
    return text + "x";
  };
  TMXmlDocument deep;
  deep.LoadText(nested(kMaxXmlDepth));
  deep.SetAutoRegenerate(true);
  EXPECT_FALSE(deep.GetText().empty());
  EXPECT_EQ(ParseError(nested(kMaxXmlDepth + 1)), "タグの入れ子が深すぎます。");
  EXPECT_EQ(ParseError(nested(200000)), "タグの入れ子が深すぎます。");

  std::string path;
  for (std::size_t i = 0; i < kMaxXmlDepth + 1; ++i) path += "b\\";
  TMXmlDocument document;
  EXPECT_THROW(EnsurePath(document.Root(), path), EMXmlParser);
}

}  // namespace
}  // namespace yura
