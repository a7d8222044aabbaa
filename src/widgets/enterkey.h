#pragma once

#include <QObject>

#include <functional>

namespace quoll::widgets {

// Calls `action` when Enter or Return is pressed in `widget`, and consumes
// the key: nothing else sees it. (An editable combo box would otherwise
// hand the key to its line edit twice.)
void onEnterKey(QWidget *widget, std::function<void()> action);

} // namespace quoll::widgets
