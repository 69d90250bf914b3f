// Where parts sit: the object index a widget carries as its tag, the marks
// that detach a part (a dismantled part or a removed tab sheet above it), and
// moving parts into containers.
#pragma once

#include <cstdint>
#include <vector>

#include "core/guiobject.h"

class QWidget;

namespace yura {

void SetTag(QWidget* widget, std::int32_t index);
// 0 for widgets that are no object (a form's "img", the sheets of a tab page).
std::int32_t TagOf(const QWidget* widget);

// A dismantled part, or a tab sheet that was removed: everything inside it
// counts as destroyed.
void MarkGone(QWidget* widget);
bool IsGone(const QWidget* widget);
bool HasGoneAncestor(const QWidget* widget);

// The widget a container's inner area belongs to: a scroll box's content and
// a tab sheet report their outer control, whose width parts are centred in.
void SetOuterWidget(QWidget* inner, QWidget* outer);
int CentringWidth(const QWidget* parent);

// Moves each part's widget into `target`, keeping its position and
// visibility. Throws EPlainError when a part would end up inside itself.
void MoveInto(QWidget* target, const std::vector<TObjectControl*>& children);
// The tags of the parts directly inside `target`, in child order, without 0.
std::vector<std::int32_t> TagsOf(const QWidget* target);

}  // namespace yura
