#pragma once

#include <QComboBox>

namespace quoll::widgets {

// A combo box that announces the opening of its drop-down list before the
// list shows, so that its owner can fill it with what is current.
class PopupComboBox : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    void showPopup() override;

signals:
    void popupAboutToShow();
};

} // namespace quoll::widgets
