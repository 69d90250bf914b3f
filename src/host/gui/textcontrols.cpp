#include "host/gui/textcontrols.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>

#include "host/gui/texts.h"
#include "host/textstyle.h"
#include "platform/qtext.h"

namespace yura {

// ---- エディタ

TEditControl::TEditControl(const TPartContext& context) : TQtControl(TObjectKind::Edit, context.Source) {
  auto* edit = new QLineEdit(context.Parent);
  SetWidget(edit);
  edit->resize(121, 21);
  ApplyFont(FontFromSetting(context.Setup.Font));
  QObject::connect(edit, &QLineEdit::textChanged, edit, Firer(esChange));
  Watch(SlotMask({esClick, esDoubleClick, esMouseDown, esMouseUp, esMouseMove, esKeyDown, esKeyUp}));
}

QLineEdit* TEditControl::Edit() const { return static_cast<QLineEdit*>(Widget()); }

void TEditControl::ApplyFont(const QFont& font) {
  TQtControl::ApplyFont(font);
  Edit()->resize(Edit()->width(), Edit()->sizeHint().height());
}

bool TEditControl::SetOwn(TProperty property, const TPropertyValue& value) {
  QLineEdit* edit = Edit();
  switch (property) {
    case TProperty::Text:
      edit->setText(ToQString(value.Text));
      return true;
    case TProperty::Edit:
      edit->setReadOnly(value.Number == 0);
      return true;
    case TProperty::Ime:
      ime_ = value.Number;
      return true;
    case TProperty::SelectedText:
      edit->insert(ToQString(value.Text));
      return true;
    case TProperty::SelStart:
      edit->setCursorPosition(static_cast<int>(std::clamp<std::int64_t>(value.Number, 0, edit->text().size())));
      return true;
    case TProperty::SelLength: {
      const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
      edit->setSelection(start, static_cast<int>(std::clamp<std::int64_t>(value.Number, 0, edit->text().size())));
      return true;
    }
    default:
      return false;
  }
}

std::optional<std::string> TEditControl::GetOwn(TProperty property) {
  const QLineEdit* edit = Edit();
  switch (property) {
    case TProperty::Text:
      return FromQString(edit->text());
    case TProperty::Edit:
      return Flag(!edit->isReadOnly());
    case TProperty::Ime:
      return ImeText(ime_);
    case TProperty::SelectedText:
      return FromQString(edit->selectedText());
    case TProperty::SelStart:
      return Decimal(edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition());
    case TProperty::SelLength:
      return Decimal(edit->selectedText().size());
    default:
      return std::nullopt;
  }
}

void TEditControl::ClearContents() { Edit()->clear(); }

// ---- メモ, リッチエディタ

template <class TEditor>
TMultiLineControl<TEditor>::TMultiLineControl(TObjectKind kind, const TPartContext& context)
    : TQtControl(kind, context.Source) {
  auto* editor = new TEditor(context.Parent);
  SetWidget(editor);
  editor->resize(185, 89);
  ApplyFont(FontFromSetting(context.Setup.Font));
  SetScrollBars("両方");
  QObject::connect(editor, &TEditor::textChanged, editor, Firer(esChange));
  if (kind == TObjectKind::Memo)
    Watch(SlotMask({esClick, esDoubleClick, esMouseDown, esMouseUp, esMouseMove, esKeyDown, esKeyUp}));
  else
    Watch(SlotMask({esMouseDown, esMouseUp, esMouseMove, esKeyDown, esKeyUp}));
}

template <class TEditor>
TEditor* TMultiLineControl<TEditor>::Editor() const {
  return static_cast<TEditor*>(Widget());
}

template <class TEditor>
std::vector<TQtControl::TInput> TMultiLineControl<TEditor>::InputWidgets() const {
  return {{Widget(), kKeySlots}, {Editor()->viewport(), kMouseSlots}};
}

template <class TEditor>
void TMultiLineControl<TEditor>::SetScrollBars(const std::string& mode) {
  scrollBars_ = mode == "縦" || mode == "横" || mode == "両方" ? mode : std::string();
  const bool vertical = scrollBars_ == "縦" || scrollBars_ == "両方";
  const bool horizontal = scrollBars_ == "横" || scrollBars_ == "両方";
  TEditor* editor = Editor();
  editor->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  editor->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  // Lines wrap unless there is a horizontal scroll bar to reach their ends.
  editor->setLineWrapMode(horizontal ? TEditor::NoWrap : TEditor::WidgetWidth);
}

// `start` and `length` count a line end as CR LF.
template <class TEditor>
void TMultiLineControl<TEditor>::Select(int start, int length) {
  TEditor* editor = Editor();
  const QString text = editor->toPlainText();
  QTextCursor cursor = editor->textCursor();
  const int from = LfPosition(text, std::max(0, start));
  cursor.setPosition(from);
  if (length > 0) cursor.setPosition(LfPosition(text, CrLfPosition(text, from) + length), QTextCursor::KeepAnchor);
  editor->setTextCursor(cursor);
}

template <class TEditor>
bool TMultiLineControl<TEditor>::SetOwn(TProperty property, const TPropertyValue& value) {
  TEditor* editor = Editor();
  const int number = static_cast<int>(std::clamp<std::int64_t>(value.Number, -0x7FFFFFFF, 0x7FFFFFFF));
  switch (property) {
    case TProperty::Text:
      editor->setPlainText(LinesToQt(value.Text));
      return true;
    case TProperty::Edit:
      editor->setReadOnly(value.Number == 0);
      return true;
    case TProperty::Ime:
      ime_ = value.Number;
      return true;
    case TProperty::ScrollBars:
      SetScrollBars(value.Text);
      return true;
    case TProperty::SelectedText:
      editor->textCursor().insertText(LinesToQt(value.Text));
      return true;
    case TProperty::SelStart:
      Select(number, 0);
      return true;
    case TProperty::SelLength: {
      const QTextCursor cursor = editor->textCursor();
      Select(CrLfPosition(editor->toPlainText(), cursor.selectionStart()), number);
      return true;
    }
    case TProperty::Row: {
      // The caret goes to the start of that line, scrolled into view.
      const QTextBlock block =
          editor->document()->findBlockByNumber(std::clamp(number, 0, editor->document()->blockCount() - 1));
      QTextCursor cursor = editor->textCursor();
      cursor.setPosition(block.position());
      editor->setTextCursor(cursor);
      editor->ensureCursorVisible();
      return true;
    }
    case TProperty::Column: {
      QTextCursor cursor = editor->textCursor();
      cursor.clearSelection();
      cursor.movePosition(number >= 0 ? QTextCursor::NextCharacter : QTextCursor::PreviousCharacter,
                          QTextCursor::MoveAnchor, std::abs(number));
      editor->setTextCursor(cursor);
      return true;
    }
    default:
      return false;
  }
}

template <class TEditor>
std::optional<std::string> TMultiLineControl<TEditor>::GetOwn(TProperty property) {
  const TEditor* editor = Editor();
  const QTextCursor cursor = editor->textCursor();
  switch (property) {
    case TProperty::Text:
      return LinesFromQt(editor->toPlainText());
    case TProperty::Edit:
      return Flag(!editor->isReadOnly());
    case TProperty::Ime:
      return ImeText(ime_);
    case TProperty::ScrollBars:
      return scrollBars_;
    case TProperty::SelectedText:
      return LinesFromQt(cursor.selectedText());
    case TProperty::SelStart:
      return Decimal(CrLfPosition(editor->toPlainText(), cursor.selectionStart()));
    case TProperty::SelLength: {
      const QString text = editor->toPlainText();
      return Decimal(CrLfPosition(text, cursor.selectionEnd()) - CrLfPosition(text, cursor.selectionStart()));
    }
    case TProperty::Row:
      return Decimal(cursor.blockNumber());
    case TProperty::Column:
      return Decimal(cursor.positionInBlock());
    default:
      return std::nullopt;
  }
}

template <class TEditor>
void TMultiLineControl<TEditor>::ClearContents() {
  Editor()->clear();
}

template class TMultiLineControl<QPlainTextEdit>;
template class TMultiLineControl<QTextEdit>;

}  // namespace yura
