// The path-indexed tree: a node is known by its path, the captions from the
// top level down joined by "\". Node order is the absolute index order (each
// node before its children).
#pragma once

#include <QTreeWidget>
#include <string>
#include <string_view>
#include <vector>

namespace yura {

class TTreeViewT final : public QTreeWidget {
  Q_OBJECT
 public:
  explicit TTreeViewT(QWidget* parent);

  // Adds each line as a path; the levels that exist are reused.
  void AddPaths(std::string_view lines);
  // Every node's path (Shift_JIS), in absolute index order.
  std::vector<std::string> Paths() const;
  std::vector<QTreeWidgetItem*> Nodes() const;

  // The path of the selected node, empty when none.
  std::string SelectedPath() const;
  // The absolute index of the selected node, -1 when none.
  int SelectedIndex() const;
  void SelectIndex(int index);

  bool Editable() const { return editable_; }
  void SetEditable(bool on);

 private:
  QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& caption);

  bool editable_ = true;
};

}  // namespace yura
