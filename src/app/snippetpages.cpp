#include "app/snippetpages.h"

#include "core/dialogs.h"
#include "core/profilefile.h"
#include "widgets/screenscale.h"

#include <QFile>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

namespace {
constexpr int ButtonHeight = 24;
}

QString snippetHint(const QString &value)
{
    const qsizetype bar = value.indexOf(u'|');
    return bar < 0 ? value : value.left(bar);
}

void LoadButtonPages(QTabWidget &pcButtons, const QString &menuFile, Dialogs &dialogs,
                     const std::function<void(const QString &)> &insert)
{
    if (!QFile::exists(menuFile)) {
        dialogs.message(Dialogs::Icon::Information, u"Buttons File"_s, u"File [%1] not found"_s.arg(menuFile));
        return;
    }
    ProfileFile file;
    try {
        file = ProfileFile::load(menuFile);
    } catch (...) {
        dialogs.message(Dialogs::Icon::Information, u"Buttons File"_s, u"File [%1] not found"_s.arg(menuFile));
        return;
    }
    // The tab bar's time grows with the square of its pages: a file of
    // thousands of sections would hold the window for minutes.
    QList<ProfileFile::Section> sections = file.allSections();
    if (sections.size() > MaxButtonPages) {
        dialogs.message(Dialogs::Icon::Information, u"Buttons File"_s,
                        u"File [%1] has %2 pages; the first %3 are shown"_s.arg(menuFile)
                            .arg(sections.size())
                            .arg(MaxButtonPages));
        sections.resize(MaxButtonPages);
    }
    for (const ProfileFile::Section &section : sections) {
        auto *page = new QWidget(&pcButtons);
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *bar = new QToolBar(page);
        bar->setObjectName(u"ToolBar_"_s + section.name);
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
        bar->setStyleSheet(u"QToolBar { border: 0px; padding: 0px; spacing: 1px; }"_s);
        for (const auto &entry : section.entries) {
            const QString &name = entry.first;
            const QString value = entry.second;
            auto *button = new QToolButton(bar);
            button->setText(name);
            button->setToolTip(snippetHint(value));
            button->setAutoRaise(true);
            button->setFixedHeight(widgets::scaled(ButtonHeight));
            button->setProperty("snippet", value);
            QObject::connect(button, &QToolButton::clicked, button, [insert, value] { insert(value); });
            bar->addWidget(button);
        }
        layout->addWidget(bar);
        layout->addStretch(1);
        pcButtons.addTab(page, section.name);
    }
}

} // namespace quoll::app
