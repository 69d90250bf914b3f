#include "host/gui/listcontrols.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>
#include <climits>

#include "host/gui/texts.h"
#include "host/textstyle.h"
#include "platform/qtext.h"

namespace yura {
namespace {

std::vector<QString> Items(const QComboBox& combo) {
  std::vector<QString> items;
  for (int i = 0; i < combo.count(); ++i) items.push_back(combo.itemText(i));
  return items;
}

bool InRange(std::int64_t index, int count) { return index >= 0 && index < count; }

}  // namespace

// ---- コンボ

TComboControl::TComboControl(const TPartContext& context) : TQtControl(TObjectKind::Combo, context.Source) {
  auto* combo = new QComboBox(context.Parent);
  SetWidget(combo);
  combo->resize(145, 21);
  SetEditable(true);
  ApplyFont(FontFromSetting(context.Setup.Font));
  QObject::connect(combo, &QComboBox::activated, combo, Firer(esClick));
  QObject::connect(combo, &QComboBox::currentTextChanged, combo, Firer(esChange));
  Watch(SlotMask({esClick, esDoubleClick, esKeyDown, esKeyUp}));
}

QComboBox* TComboControl::Combo() const { return static_cast<QComboBox*>(Widget()); }

std::vector<TQtControl::TInput> TComboControl::InputWidgets() const {
  // The click is the choice of an item; the text field reports double clicks.
  const unsigned keysAndDouble = kKeySlots | SlotMask({esDoubleClick});
  return {{Widget(), keysAndDouble}, {Combo()->lineEdit(), SlotMask({esDoubleClick})}};
}

void TComboControl::ApplyFont(const QFont& font) {
  TQtControl::ApplyFont(font);
  Combo()->resize(Combo()->width(), Combo()->sizeHint().height());
}

void TComboControl::SetEditable(bool on) {
  QComboBox* combo = Combo();
  if (combo->isEditable() == on) return;
  const QString text = combo->currentText();
  combo->setEditable(on);
  if (on) {
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->lineEdit()->setMaxLength(INT_MAX);
    combo->setEditText(text);
  }
  AttachWatchers();
}

// The edit text stays; no item is selected afterwards.
void TComboControl::SetItems(const std::vector<QString>& items) {
  QComboBox* combo = Combo();
  const QString text = combo->currentText();
  combo->clear();
  for (const QString& item : items) combo->addItem(item);
  if (sorted_) combo->model()->sort(0);
  combo->setCurrentIndex(-1);
  if (combo->isEditable()) combo->setEditText(text);
}

bool TComboControl::SetOwn(TProperty property, const TPropertyValue& value) {
  QComboBox* combo = Combo();
  TEventSource::TQuiet quiet(Source());
  QLineEdit* edit = combo->lineEdit();
  switch (property) {
    case TProperty::Text:
      if (combo->isEditable())
        combo->setEditText(ToQString(value.Text));
      else
        combo->setCurrentIndex(combo->findText(ToQString(value.Text)));
      return true;
    case TProperty::Items: {
      std::vector<QString> items;
      for (QString& item : ItemLines(value.Text))
        if (!item.isEmpty()) items.push_back(std::move(item));
      SetItems(items);
      return true;
    }
    case TProperty::Value:
      if (InRange(value.Number, combo->count())) combo->setCurrentIndex(static_cast<int>(value.Number));
      return true;
    case TProperty::Edit:
      SetEditable(value.Number != 0);
      return true;
    case TProperty::Ime:
      ime_ = value.Number;
      return true;
    case TProperty::Sort:
      sorted_ = value.Number != 0;
      if (sorted_) SetItems(Items(*combo));
      return true;
    case TProperty::SelectedText:
      if (edit != nullptr) edit->insert(ToQString(value.Text));
      return true;
    case TProperty::SelStart:
      if (edit != nullptr)
        edit->setCursorPosition(static_cast<int>(std::clamp<std::int64_t>(value.Number, 0, INT_MAX)));
      return true;
    case TProperty::SelLength:
      if (edit != nullptr)
        edit->setSelection(edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition(),
                           static_cast<int>(std::clamp<std::int64_t>(value.Number, 0, INT_MAX)));
      return true;
    default:
      return false;
  }
}

std::optional<std::string> TComboControl::GetOwn(TProperty property) {
  const QComboBox* combo = Combo();
  const QLineEdit* edit = combo->lineEdit();
  switch (property) {
    case TProperty::Text:
      return FromQString(combo->currentText());
    case TProperty::Items:
      return ItemText(Items(*combo));
    case TProperty::Value:
      return Decimal(combo->currentIndex());
    case TProperty::Edit:
      return Flag(combo->isEditable());
    case TProperty::Ime:
      return ImeText(ime_);
    case TProperty::SelectedText:
      return edit != nullptr ? FromQString(edit->selectedText()) : std::string();
    case TProperty::SelStart:
      return Decimal(edit == nullptr ? 0 : edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition());
    case TProperty::SelLength:
      return Decimal(edit != nullptr ? edit->selectedText().size() : 0);
    default:
      return std::nullopt;
  }
}

void TComboControl::ClearContents() {
  TEventSource::TQuiet quiet(Source());
  Combo()->clear();
}

// ---- リスト

TListControl::TListControl(const TPartContext& context) : TQtControl(TObjectKind::List, context.Source) {
  auto* list = new QListWidget(context.Parent);
  SetWidget(list);
  list->resize(121, 97);
  ApplyFont(FontFromSetting(context.Setup.Font));
  // A choice by the user, by mouse or keys; a script's choice is quiet.
  QObject::connect(list, &QListWidget::itemSelectionChanged, list, Firer(esClick));
  Watch(SlotMask({esDoubleClick, esMouseDown, esMouseUp, esMouseMove, esKeyDown, esKeyUp}));
}

QListWidget* TListControl::List() const { return static_cast<QListWidget*>(Widget()); }

std::vector<TQtControl::TInput> TListControl::InputWidgets() const {
  return {{Widget(), kKeySlots}, {List()->viewport(), kMouseSlots}};
}

int TListControl::Selected() const {
  const QListWidget* list = List();
  const QListWidgetItem* item = list->currentItem();
  return item != nullptr && item->isSelected() ? list->currentRow() : -1;
}

bool TListControl::SetOwn(TProperty property, const TPropertyValue& value) {
  QListWidget* list = List();
  TEventSource::TQuiet quiet(Source());
  switch (property) {
    case TProperty::Text:
    case TProperty::SelectedText:
      if (const int selected = Selected(); selected >= 0) list->item(selected)->setText(ToQString(value.Text));
      return true;
    case TProperty::Items:
      list->clear();
      for (const QString& item : ItemLines(value.Text)) list->addItem(item);
      return true;
    case TProperty::Value:
      if (InRange(value.Number, list->count())) list->setCurrentRow(static_cast<int>(value.Number));
      return true;
    case TProperty::Sort:
      list->setSortingEnabled(value.Number != 0);
      return true;
    default:
      return false;
  }
}

std::optional<std::string> TListControl::GetOwn(TProperty property) {
  const QListWidget* list = List();
  switch (property) {
    case TProperty::Text:
    case TProperty::SelectedText: {
      const int selected = Selected();
      return selected >= 0 ? FromQString(list->item(selected)->text()) : std::string();
    }
    case TProperty::Items: {
      std::vector<QString> items;
      for (int i = 0; i < list->count(); ++i) items.push_back(list->item(i)->text());
      return ItemText(items);
    }
    case TProperty::Value:
      return Decimal(Selected());
    default:
      return std::nullopt;
  }
}

void TListControl::ClearContents() {
  TEventSource::TQuiet quiet(Source());
  List()->clear();
}

// ---- ラジオ

TRadioControl::TRadioControl(const TPartContext& context) : TQtControl(TObjectKind::Radio, context.Source) {
  auto* box = new QGroupBox(context.Parent);
  SetWidget(box);
  new QVBoxLayout(box);
  group_ = new QButtonGroup(box);
  box->resize(185, 105);
  ApplyFont(FontFromSetting(context.Setup.Font));
  QObject::connect(group_, &QButtonGroup::idClicked, box, Firer(esClick));
}

QGroupBox* TRadioControl::Box() const { return static_cast<QGroupBox*>(Widget()); }

void TRadioControl::SetItems(const std::vector<QString>& items) {
  for (QAbstractButton* button : group_->buttons()) {
    group_->removeButton(button);
    button->hide();
    button->deleteLater();
  }
  int id = 0;
  for (const QString& item : items) {
    auto* button = new QRadioButton(item, Box());
    group_->addButton(button, id++);
    Box()->layout()->addWidget(button);
  }
}

bool TRadioControl::SetOwn(TProperty property, const TPropertyValue& value) {
  switch (property) {
    case TProperty::Text:
      if (QAbstractButton* button = group_->checkedButton()) button->setText(ToQString(value.Text));
      return true;
    case TProperty::Items:
      SetItems(ItemLines(value.Text));
      return true;
    case TProperty::Value:
      if (InRange(value.Number, static_cast<int>(group_->buttons().size())))
        group_->button(static_cast<int>(value.Number))->setChecked(true);
      return true;
    default:
      return false;
  }
}

std::optional<std::string> TRadioControl::GetOwn(TProperty property) {
  switch (property) {
    case TProperty::Text: {
      const QAbstractButton* button = group_->checkedButton();
      return button != nullptr ? FromQString(button->text()) : std::string();
    }
    case TProperty::Items: {
      std::vector<QString> items;
      for (int id = 0; group_->button(id) != nullptr; ++id) items.push_back(group_->button(id)->text());
      return ItemText(items);
    }
    case TProperty::Value:
      return Decimal(group_->checkedId());
    default:
      return std::nullopt;
  }
}

}  // namespace yura
