#include "connection/connectdialog.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection {

ConnectDialog::ConnectDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"fmConnect"_s);
    setWindowTitle(u"Подключение к БД"_s);
    setModal(true);
}

} // namespace quoll::connection
