#include "connection/widgets/rolelist.h"

#include "connection/engine/query.h"
#include "connection/sessionqueries.h"

#include <QComboBox>

namespace quoll::connection {

void FillRoleList(QComboBox &roles, Query &viewQuery)
{
    const QString shown = roles.currentText();
    roles.setUpdatesEnabled(false);
    roles.clear();
    struct Resume
    {
        QComboBox &roles;
        ~Resume() { roles.setUpdatesEnabled(true); }
    } resume{roles};

    viewQuery.setText(QString::fromLatin1(SessionQuery::RoleList));
    viewQuery.open();
    while (!viewQuery.atEnd()) {
        roles.addItem(viewQuery.text(0));
        viewQuery.next();
    }
    viewQuery.close();
    roles.setCurrentIndex(roles.findText(shown, Qt::MatchFixedString | Qt::MatchCaseSensitive));
}

void setRole(Query &viewQuery, const QString &role)
{
    viewQuery.setText(QString::fromLatin1(SessionQuery::SetRolePrefix) + role);
    viewQuery.execute();
}

} // namespace quoll::connection
