#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quoll {
class Dialogs;
}

namespace quoll::connection {

class ParameterList;

// The login dialog "Подключение к БД", created once at start and shown for
// every connect, so its boxes keep what was typed last (the password too,
// in memory only, for the rest of the run). The user-name box remembers the
// last five names, newest first.
class ConnectDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ConnectDialog(QWidget *parent = nullptr);

    // Shows the dialog through `dialogs`; after OK remembers the user name
    // and captures both values. False, with nothing changed, otherwise.
    bool ExecuteLogin(Dialogs &dialogs);

    // The login hook: asks with ExecuteLogin and fills "USER NAME" and
    // "PASSWORD" of `login`; a cancelled dialog raises SilentAbort.
    void login(Dialogs &dialogs, ParameterList &login);

    // The remembered names (`Logins`), newest first.
    QStringList Logins() const;
    // Replaces them (the start-up load) and selects the first.
    void setLogins(const QStringList &names);

    const QString &LoginUserName() const { return m_loginUserName; }
    const QString &LoginPassword() const { return m_loginPassword; }

    QComboBox *userName() const { return m_userName; }
    QLineEdit *password() const { return m_password; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_userLabel;
    QComboBox *m_userName;
    QLabel *m_passwordLabel;
    QLineEdit *m_password;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QString m_loginUserName;
    QString m_loginPassword;
};

} // namespace quoll::connection
