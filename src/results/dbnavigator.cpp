#include "results/dbnavigator.h"

#include "widgets/imagelist.h"
#include "widgets/screenscale.h"

#include <QHBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quoll::results {

namespace {

struct ButtonLook
{
    const char *name;
    const char *icon;
    const char *hint;
};

constexpr std::array<ButtonLook, DBNavigator::ButtonCount> looks{{
    {"navFirst", ":/icons/first", "First record"},
    {"navPrior", ":/icons/prior", "Prior record"},
    {"navNext", ":/icons/next", "Next record"},
    {"navLast", ":/icons/last", "Last record"},
    {"navInsert", ":/icons/insert", "Insert record"},
    {"navDelete", ":/icons/delete", "Delete record"},
    {"navEdit", ":/icons/edit", "Edit record"},
    {"navPost", ":/icons/post", "Post edit"},
    {"navCancel", ":/icons/cancel", "Cancel edit"},
    {"navRefresh", ":/icons/refresh", "Refresh data"},
}};

} // namespace

DBNavigator::DBNavigator(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const int side = widgets::scaled(30);
    for (int i = 0; i < ButtonCount; ++i) {
        auto *button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(looks[size_t(i)].name));
        button->setIcon(widgets::svgIcon(QString::fromLatin1(looks[size_t(i)].icon)));
        button->setIconSize(QSize(widgets::scaled(20), widgets::scaled(20)));
        button->setToolTip(QString::fromLatin1(looks[size_t(i)].hint));
        button->setFixedSize(side, side);
        button->setAutoRaise(true);
        button->setEnabled(false);
        connect(button, &QToolButton::clicked, this, [this, i] { emit clicked(Button(i)); });
        layout->addWidget(button);
        m_buttons[size_t(i)] = button;
    }
}

} // namespace quoll::results
