#include "host/gui/texteditor.h"

#include <Qsci/qsciscintilla.h>

#include "host/textstyle.h"
#include "platform/qtext.h"

namespace yura {

TTextEditorControl::TTextEditorControl(const TPartContext& context)
    : TQtControl(TObjectKind::TextEditor, context.Source) {
  auto* editor = new QsciScintilla(context.Parent);
  SetWidget(editor);
  editor->setUtf8(true);
  editor->setEolMode(QsciScintilla::EolWindows);
  editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->resize(300, 200);
  ApplyFont(FontFromSetting(context.Setup.Font));
  QObject::connect(editor, &QsciScintilla::textChanged, editor, Firer(esChange));
  Watch(SlotMask({esClick, esDoubleClick, esMouseDown, esMouseUp, esMouseMove, esKeyDown, esKeyUp}));
}

QsciScintilla* TTextEditorControl::Editor() const { return static_cast<QsciScintilla*>(Widget()); }

std::vector<TQtControl::TInput> TTextEditorControl::InputWidgets() const {
  return {{Widget(), kKeySlots}, {Editor()->viewport(), kMouseSlots}};
}

void TTextEditorControl::ApplyFont(const QFont& font) {
  TQtControl::ApplyFont(font);
  Editor()->setFont(font);
}

void TTextEditorControl::ApplyBackColor(const QColor& color) {
  TQtControl::ApplyBackColor(color);
  Editor()->setPaper(color);
}

// The editor counts bytes of UTF-8; scripts count characters.
int TTextEditorControl::CharPosition(long bytePosition) const {
  return static_cast<int>(QString::fromUtf8(Editor()->text().toUtf8().left(bytePosition)).size());
}

long TTextEditorControl::BytePosition(int charPosition) const {
  const QString text = Editor()->text();
  return text.left(std::clamp(charPosition, 0, static_cast<int>(text.size()))).toUtf8().size();
}

bool TTextEditorControl::SetOwn(TProperty property, const TPropertyValue& value) {
  QsciScintilla* editor = Editor();
  const int number = static_cast<int>(std::clamp<std::int64_t>(value.Number, 0, 0x7FFFFFFF));
  int line = 0;
  int index = 0;
  editor->getCursorPosition(&line, &index);
  switch (property) {
    case TProperty::Text:
      editor->setText(ToQString(value.Text));
      return true;
    case TProperty::Edit:
      editor->setReadOnly(value.Number == 0);
      return true;
    case TProperty::Ime:
      ime_ = value.Number;
      return true;
    case TProperty::SelectedText:
      editor->replaceSelectedText(ToQString(value.Text));
      return true;
    case TProperty::SelStart:
      editor->SendScintilla(QsciScintillaBase::SCI_SETEMPTYSELECTION, BytePosition(number));
      return true;
    case TProperty::SelLength: {
      const long start = editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
      const long end = BytePosition(CharPosition(start) + number);
      editor->SendScintilla(QsciScintillaBase::SCI_SETSEL, start, end);
      return true;
    }
    case TProperty::Row:
      editor->setCursorPosition(number, index);
      return true;
    case TProperty::Column:
      editor->setCursorPosition(line, number);
      return true;
    default:
      return false;
  }
}

std::optional<std::string> TTextEditorControl::GetOwn(TProperty property) {
  const QsciScintilla* editor = Editor();
  int line = 0;
  int index = 0;
  editor->getCursorPosition(&line, &index);
  switch (property) {
    case TProperty::Text:
      return FromQString(editor->text());
    case TProperty::Edit:
      return Flag(!editor->isReadOnly());
    case TProperty::Ime:
      return ImeText(ime_);
    case TProperty::SelectedText:
      return FromQString(editor->selectedText());
    case TProperty::SelStart:
      return Decimal(CharPosition(editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART)));
    case TProperty::SelLength:
      return Decimal(CharPosition(editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND)) -
                     CharPosition(editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART)));
    case TProperty::Row:
      return Decimal(line);
    case TProperty::Column:
      return Decimal(index);
    default:
      return std::nullopt;
  }
}

void TTextEditorControl::ClearContents() { Editor()->clear(); }

}  // namespace yura
