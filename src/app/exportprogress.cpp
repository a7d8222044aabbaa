#include "app/exportprogress.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

ExportProgress::ExportProgress(QWidget *parent, qint64 showAfterMs) : QDialog(parent), m_showAfterMs(showAfterMs)
{
    setObjectName(u"ExportProgress"_s);
    setWindowTitle(u"Экспорт"_s);
    setWindowModality(Qt::ApplicationModal);
    auto *layout = new QVBoxLayout(this);
    m_label = new QLabel(this);
    m_label->setMinimumWidth(260);
    layout->addWidget(m_label);
    auto *cancel = new QPushButton(u"Отмена"_s, this);
    cancel->setObjectName(u"btCancelExport"_s);
    layout->addWidget(cancel, 0, Qt::AlignRight);
    connect(cancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });
    m_clock.start();
}

bool ExportProgress::update(qint64 rows)
{
    if (!isVisible() && m_clock.elapsed() >= m_showAfterMs)
        show();
    if (isVisible()) {
        m_label->setText(u"Записано строк: %1"_s.arg(rows));
        // Only this dialog takes input meanwhile: it is modal.
        QCoreApplication::processEvents();
    }
    return !m_cancelled;
}

} // namespace quoll::app
