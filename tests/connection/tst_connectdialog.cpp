#include "connection/widgets/connectdialog.h"

#include "testregistry.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TstConnectDialog : public QObject
{
    Q_OBJECT

private slots:
    void modalLoginDialog()
    {
        quoll::connection::ConnectDialog dialog;
        QCOMPARE(dialog.objectName(), u"fmConnect"_s);
        QCOMPARE(dialog.windowTitle(), u"Подключение к БД"_s);
        QVERIFY(dialog.isModal());
    }
};

QUOLL_TEST(TstConnectDialog);

#include "tst_connectdialog.moc"
