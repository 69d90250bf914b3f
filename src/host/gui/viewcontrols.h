// Parts that show structured content: グリッド (the sortable grid), ツリー (the
// path-indexed tree) and ブラウザ.
#pragma once

#include "host/gui/control.h"

namespace yura {

class TStrSortGrid;
class TTreeViewT;

class TGridControl final : public TQtControl {
 public:
  explicit TGridControl(const TPartContext& context);
  TStrSortGrid* Grid() const;

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;
  void ClearContents() override;
  std::vector<TInput> InputWidgets() const override;
  std::vector<QPalette::ColorRole> BackgroundRoles() const override { return {QPalette::Base}; }
};

class TTreeControl final : public TQtControl {
 public:
  explicit TTreeControl(const TPartContext& context);
  TTreeViewT* Tree() const;

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;
  std::vector<TInput> InputWidgets() const override;
};

class TBrowserControl final : public TQtControl {
 public:
  explicit TBrowserControl(const TPartContext& context);
  ~TBrowserControl() override;

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;

 private:
  // The before-navigate event, then the navigation unless the script said no.
  void Navigate(const std::string& url);

  std::string url_;
  QMetaObject::Connection link_;
};

}  // namespace yura
