#include "export/exportdialog.h"

#include "widgets/screenscale.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::exporting {

ExportDialog::ExportDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"fmExport"_s);
    setWindowTitle(u"Экспорт в файл"_s);
    setModal(true);
    QFont font(u"Verdana"_s);
    font.setPixelSize(widgets::scaled(13));
    setFont(font);
    setFixedSize(widgets::scaled(437), widgets::scaled(373));
}

} // namespace quoll::exporting
