#pragma once

#include <QDialog>

namespace quoll::connection {

// The login dialog "Подключение к БД", created once at start and shown for
// every connect. Its user-name and password boxes come with the login step.
class ConnectDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ConnectDialog(QWidget *parent = nullptr);
};

} // namespace quoll::connection
