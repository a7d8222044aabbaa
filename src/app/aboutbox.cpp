#include "app/aboutbox.h"

#include "widgets/screenscale.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

using widgets::scaled;

AboutBox::AboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"fmAbout"_s);
    setWindowTitle(u"About"_s);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    QFont font(u"Verdana"_s);
    font.setPixelSize(scaled(18));
    setFont(font);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(scaled(12), scaled(16), scaled(12), scaled(12));
    layout->setSpacing(scaled(6));
    const struct
    {
        const char *name;
        QString text;
    } lines[] = {
        {"Label1", u"   Quoll\u2122"_s},
        {"Label2", u"   Version 4.57beta"_s},
        {"Label3", u"   \u00a9 2019\u20132026 Quoll developers"_s},
    };
    for (const auto &line : lines) {
        auto *label = new QLabel(line.text, this);
        label->setObjectName(QString::fromLatin1(line.name));
        layout->addWidget(label);
    }

    m_address = new QLineEdit(QString::fromLatin1(WebAddress), this);
    m_address->setObjectName(u"Edit1"_s);
    m_address->setReadOnly(true);
    m_address->setFrame(false);
    m_address->setCursor(Qt::PointingHandCursor);
    m_address->setFocusPolicy(Qt::NoFocus);
    QPalette p = m_address->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Button));
    p.setColor(QPalette::Text, Qt::blue);
    m_address->setPalette(p);
    m_address->installEventFilter(this);
    layout->addWidget(m_address);
    layout->addStretch(1);

    auto *ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"Button1"_s);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    // The design's size, or more when this screen's fonts need it.
    setFixedSize(sizeHint().expandedTo(QSize(scaled(284), scaled(217))));
    if (const QScreen *display = screen())
        move(display->availableGeometry().center() - rect().center());
}

bool AboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_address && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        // The shell's answer is not checked: without a browser nothing happens.
        QDesktopServices::openUrl(QUrl(m_address->text()));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quoll::app
