#include "widgets/popupcombobox.h"

namespace quoll::widgets {

void PopupComboBox::showPopup()
{
    emit popupAboutToShow();
    QComboBox::showPopup();
}

} // namespace quoll::widgets
