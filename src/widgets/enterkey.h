#pragma once

#include <QObject>

#include <functional>

namespace quoll::widgets {

// Calls `action` when Enter or Return is pressed in `widget`, and consumes
// the key: nothing else sees it. For an editable combo box this covers its
// line edit too (the box would otherwise hand the key on to it twice).
void onEnterKey(QWidget *widget, std::function<void()> action);

} // namespace quoll::widgets
