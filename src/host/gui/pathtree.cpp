#include "host/gui/pathtree.h"

#include <unordered_map>

#include "platform/qtext.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {

TTreeViewT::TTreeViewT(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  SetEditable(true);
}

QTreeWidgetItem* TTreeViewT::AddNode(QTreeWidgetItem* parent, const QString& caption) {
  auto* node = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
  node->setText(0, caption);
  if (editable_) node->setFlags(node->flags() | Qt::ItemIsEditable);
  return node;
}

void TTreeViewT::AddPaths(std::string_view lines) {
  std::unordered_map<std::string, QTreeWidgetItem*> known;
  const std::vector<QTreeWidgetItem*> nodes = Nodes();
  const std::vector<std::string> paths = Paths();
  for (std::size_t i = 0; i < nodes.size(); ++i) known.emplace(paths[i], nodes[i]);
  for (std::string_view line : SplitLines(lines)) {
    std::string path;
    QTreeWidgetItem* current = nullptr;
    for (std::string_view segment : PathSegments(line)) {
      if (current != nullptr) path += '\\';
      path += segment;
      auto found = known.find(path);
      if (found == known.end()) found = known.emplace(path, AddNode(current, ToQString(segment))).first;
      current = found->second;
    }
  }
}

std::vector<QTreeWidgetItem*> TTreeViewT::Nodes() const {
  std::vector<QTreeWidgetItem*> nodes;
  std::vector<QTreeWidgetItem*> pending;
  for (int i = topLevelItemCount() - 1; i >= 0; --i) pending.push_back(topLevelItem(i));
  while (!pending.empty()) {
    QTreeWidgetItem* node = pending.back();
    pending.pop_back();
    nodes.push_back(node);
    for (int i = node->childCount() - 1; i >= 0; --i) pending.push_back(node->child(i));
  }
  return nodes;
}

std::vector<std::string> TTreeViewT::Paths() const {
  std::vector<std::string> paths;
  for (const QTreeWidgetItem* node : Nodes()) {
    std::string path = FromQString(node->text(0));
    for (const QTreeWidgetItem* up = node->parent(); up != nullptr; up = up->parent())
      path = FromQString(up->text(0)) + '\\' + path;
    paths.push_back(std::move(path));
  }
  return paths;
}

std::string TTreeViewT::SelectedPath() const {
  const int index = SelectedIndex();
  return index < 0 ? std::string() : Paths()[static_cast<std::size_t>(index)];
}

int TTreeViewT::SelectedIndex() const {
  const QTreeWidgetItem* current = currentItem();
  if (current == nullptr || !current->isSelected()) return -1;
  const std::vector<QTreeWidgetItem*> nodes = Nodes();
  const auto found = std::find(nodes.begin(), nodes.end(), current);
  return found != nodes.end() ? static_cast<int>(found - nodes.begin()) : -1;
}

void TTreeViewT::SelectIndex(int index) {
  const std::vector<QTreeWidgetItem*> nodes = Nodes();
  if (index >= 0 && index < static_cast<int>(nodes.size())) setCurrentItem(nodes[index]);
}

void TTreeViewT::SetEditable(bool on) {
  editable_ = on;
  setEditTriggers(on ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                     : QAbstractItemView::NoEditTriggers);
  for (QTreeWidgetItem* node : Nodes())
    node->setFlags(on ? node->flags() | Qt::ItemIsEditable : node->flags() & ~Qt::ItemIsEditable);
}

}  // namespace yura
