#include "host/gui/viewcontrols.h"

#include <QHeaderView>
#include <QTextBrowser>

#include "host/gui/pathtree.h"
#include "host/gui/sortgrid.h"
#include "host/textstyle.h"
#include "platform/qtext.h"
#include "source/textlines.h"

namespace yura {

// ---- グリッド

TGridControl::TGridControl(const TPartContext& context) : TQtControl(TObjectKind::Grid, context.Source) {
  auto* grid = new TStrSortGrid(context.Parent);
  SetWidget(grid);
  grid->resize(320, 120);
  ApplyFont(FontFromSetting(context.Setup.Font));
  Watch(SlotMask({esClick, esDoubleClick, esMouseDown, esMouseUp, esMouseMove, esKeyDown, esKeyUp}));
}

TStrSortGrid* TGridControl::Grid() const { return static_cast<TStrSortGrid*>(Widget()); }

std::vector<TQtControl::TInput> TGridControl::InputWidgets() const {
  return {{Widget(), kKeySlots}, {Grid()->viewport(), kMouseSlots}, {Grid()->horizontalHeader(), kMouseSlots}};
}

bool TGridControl::SetOwn(TProperty property, const TPropertyValue& value) {
  TStrSortGrid* grid = Grid();
  const int number = static_cast<int>(std::clamp<std::int64_t>(value.Number, -1, 0x7FFFFFFF));
  switch (property) {
    case TProperty::Text:
    case TProperty::Items:
      grid->LoadCsv(value.Text);
      return true;
    case TProperty::Value:
      // Row 0 is the header: the first row that can be current is 1.
      if (number >= 0 && number < static_cast<int>(grid->Model().Rows().size()))
        grid->SetCurrentRow(std::max(number, 1));
      return true;
    case TProperty::Row:
      grid->SetCurrentRow(number);
      return true;
    case TProperty::Column:
      grid->SetCurrentColumn(number);
      return true;
    case TProperty::Edit:
      grid->SetEditing(value.Number >= 1);
      return true;
    case TProperty::Sort:
      grid->SortOps = value.Number != 0 ? TStrSortGrid::TSortOps::soBoth : TStrSortGrid::TSortOps::soNon;
      return true;
    default:
      return false;
  }
}

std::optional<std::string> TGridControl::GetOwn(TProperty property) {
  const TStrSortGrid* grid = Grid();
  switch (property) {
    case TProperty::Text:
    case TProperty::Items:
      return grid->Csv();
    case TProperty::Value:
    case TProperty::Row:
      return Decimal(grid->CurrentRow());
    case TProperty::Column:
      return Decimal(grid->CurrentColumn());
    case TProperty::Edit:
      return Flag(grid->Editing());
    default:
      return std::nullopt;
  }
}

void TGridControl::ClearContents() { Grid()->SetRowCount(0); }

// ---- ツリー

TTreeControl::TTreeControl(const TPartContext& context) : TQtControl(TObjectKind::Tree, context.Source) {
  auto* tree = new TTreeViewT(context.Parent);
  SetWidget(tree);
  tree->resize(121, 97);
  ApplyFont(FontFromSetting(context.Setup.Font));
  QObject::connect(tree, &QTreeWidget::currentItemChanged, tree, Firer(esChange));
  Source().SetEventValue([tree = QPointer<TTreeViewT>(tree)] { return tree ? tree->SelectedPath() : std::string(); });
  Watch(SlotMask({esClick, esDoubleClick, esMouseDown, esMouseUp, esMouseMove, esKeyDown, esKeyUp}));
}

TTreeViewT* TTreeControl::Tree() const { return static_cast<TTreeViewT*>(Widget()); }

std::vector<TQtControl::TInput> TTreeControl::InputWidgets() const {
  return {{Widget(), kKeySlots}, {Tree()->viewport(), kMouseSlots}};
}

bool TTreeControl::SetOwn(TProperty property, const TPropertyValue& value) {
  TTreeViewT* tree = Tree();
  switch (property) {
    case TProperty::Items:
      tree->clear();
      tree->AddPaths(value.Text);
      return true;
    case TProperty::Edit:
      tree->SetEditable(value.Number >= 1);
      return true;
    case TProperty::SelectedText:
      if (QTreeWidgetItem* node = tree->currentItem(); node != nullptr && node->isSelected())
        node->setText(0, ToQString(value.Text));
      return true;
    case TProperty::SelStart:
      tree->SelectIndex(static_cast<int>(std::clamp<std::int64_t>(value.Number, -1, 0x7FFFFFFF)));
      return true;
    default:
      return false;
  }
}

std::optional<std::string> TTreeControl::GetOwn(TProperty property) {
  const TTreeViewT* tree = Tree();
  switch (property) {
    case TProperty::Items:
      return JoinLinesWithEnds(tree->Paths());
    case TProperty::Edit:
      return Flag(tree->Editable());
    case TProperty::SelectedText: {
      const QTreeWidgetItem* node = tree->currentItem();
      return node != nullptr && node->isSelected() ? FromQString(node->text(0)) : std::string();
    }
    case TProperty::SelStart:
      return Decimal(tree->SelectedIndex());
    default:
      return std::nullopt;
  }
}

// ---- ブラウザ

TBrowserControl::TBrowserControl(const TPartContext& context) : TQtControl(TObjectKind::Browser, context.Source) {
  auto* browser = new QTextBrowser(context.Parent);
  SetWidget(browser);
  // Every navigation, a followed link or a new URL, first asks the script.
  browser->setOpenLinks(false);
  browser->resize(300, 200);
  link_ = QObject::connect(browser, &QTextBrowser::anchorClicked, browser,
                           [this](const QUrl& url) { Navigate(FromQString(url.toString())); });
}

// The widget is freed later than the control: its links must not reach it.
TBrowserControl::~TBrowserControl() { QObject::disconnect(link_); }

void TBrowserControl::Navigate(const std::string& url) {
  TEventVariables variables;
  variables.BrowserTarget = url;
  Source().Fire(esClick, variables);
  if (!Source().Hook().NavigationAllowed() || !Widget()) return;
  url_ = url;
  static_cast<QTextBrowser*>(Widget())->setSource(QUrl::fromUserInput(ToQString(url)));
}

bool TBrowserControl::SetOwn(TProperty property, const TPropertyValue& value) {
  if (property != TProperty::Url) return false;
  Navigate(value.Text);
  return true;
}

std::optional<std::string> TBrowserControl::GetOwn(TProperty property) {
  if (property != TProperty::Url && property != TProperty::Text) return std::nullopt;
  // The page the user followed a link to, else the address given.
  const QUrl source = static_cast<QTextBrowser*>(Widget())->source();
  return source.isEmpty() ? url_ : FromQString(source.toString());
}

}  // namespace yura
