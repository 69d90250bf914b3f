// Parts with a position in a range: バー (a scroll bar) and トラック (a
// slider).
#pragma once

#include "host/gui/control.h"

class QScrollBar;

namespace yura {

class TBarControl final : public TQtControl {
 public:
  explicit TBarControl(const TPartContext& context);

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;

 private:
  QScrollBar* Bar() const;
};

class TTrackControl final : public TQtControl {
 public:
  explicit TTrackControl(const TPartContext& context);
};

}  // namespace yura
