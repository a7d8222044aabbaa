#include "connection/widgets/connectdialog.h"

#include "connection/engine/parameterlist.h"
#include "core/dialogs.h"
#include "core/error.h"
#include "core/namelist.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection {

namespace {

// Hides every character of the password box behind an asterisk, whatever
// the platform style would draw.
class AsteriskStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return u'*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

ConnectDialog::ConnectDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"fmConnect"_s);
    setWindowTitle(u"Подключение к БД"_s);
    setModal(true);

    m_userLabel = new QLabel(u"Логин"_s, this);
    m_userLabel->setObjectName(u"Label1"_s);
    m_userName = new QComboBox(this);
    m_userName->setObjectName(u"cbUserName"_s);
    m_userName->setEditable(true);
    // The list changes only through a successful login, never by typing.
    m_userName->setInsertPolicy(QComboBox::NoInsert);
    m_userLabel->setBuddy(m_userName);

    m_passwordLabel = new QLabel(u"Пароль"_s, this);
    m_passwordLabel->setObjectName(u"Label2"_s);
    m_password = new QLineEdit(this);
    m_password->setObjectName(u"edPassword"_s);
    auto *asterisks = new AsteriskStyle;
    asterisks->setParent(m_password);
    m_password->setStyle(asterisks);
    m_password->setEchoMode(QLineEdit::Password);
    m_passwordLabel->setBuddy(m_password);

    m_ok = new QPushButton(u"OK"_s, this);
    m_ok->setObjectName(u"Button1"_s);
    m_cancel = new QPushButton(u"Отмена"_s, this);
    m_cancel->setObjectName(u"Button2"_s);
    // Enter is handled by the boxes themselves; no button is a default one.
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_userLabel, 0, 0);
    grid->addWidget(m_userName, 0, 1);
    grid->addWidget(m_passwordLabel, 1, 0);
    grid->addWidget(m_password, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnMinimumWidth(1, 180);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_userName, m_password);
    setTabOrder(m_password, m_ok);
    setTabOrder(m_ok, m_cancel);

    m_userName->installEventFilter(this);
    m_userName->lineEdit()->installEventFilter(this);
    m_password->installEventFilter(this);
}

// Enter in either box closes the dialog with OK; the combo would otherwise
// take it to add the typed name to its list.
bool ConnectDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent *>(event))
        && (watched == m_userName || watched == m_userName->lineEdit() || watched == m_password)) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ConnectDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_password->setFocus(Qt::OtherFocusReason);
}

bool ConnectDialog::ExecuteLogin(Dialogs &dialogs)
{
    if (dialogs.exec(*this) != QDialog::Accepted)
        return false;
    QStringList names = Logins();
    RememberName(names, m_userName->currentText());
    setLogins(names);
    m_loginUserName = names.first();
    m_loginPassword = m_password->text();
    return true;
}

void ConnectDialog::login(Dialogs &dialogs, ParameterList &login)
{
    if (!ExecuteLogin(dialogs))
        throw SilentAbort();
    login.setValue(u"USER NAME"_s, m_loginUserName);
    login.setValue(u"PASSWORD"_s, m_loginPassword);
}

QStringList ConnectDialog::Logins() const
{
    QStringList names;
    names.reserve(m_userName->count());
    for (int i = 0; i < m_userName->count(); ++i)
        names.append(m_userName->itemText(i));
    return names;
}

void ConnectDialog::setLogins(const QStringList &names)
{
    m_userName->clear();
    m_userName->addItems(names);
    if (!names.isEmpty())
        m_userName->setCurrentIndex(0);
}

} // namespace quoll::connection
