#include "CommandButtons.h"

#include "MainMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>

#include <utility>

QHBoxLayout* MakeCommandButtons(QWidget& parent, const MainMenu& menu)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(16, 0, 0, 0);
    row->setSpacing(12);
    const auto add = [&](const QString& objectName, const QString& text, const QString& toolTip, QAction* action) {
        auto* button = new QPushButton(text, &parent);
        button->setObjectName(objectName);
        button->setToolTip(toolTip);
        button->setMinimumSize(75, 25);
        button->setAutoDefault(false);
        button->setEnabled(action->isEnabled());
        QObject::connect(action, &QAction::changed, button,
                         [button, action] { button->setEnabled(action->isEnabled()); });
        QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
        row->addWidget(button);
    };
    // The main window's texts, as translators have always found them.
    add(QStringLiteral("newButton"), QCoreApplication::translate("TBWCForm", "&New..."),
        QCoreApplication::translate("TBWCForm", "Add a new message"), menu.newAction);
    add(QStringLiteral("editButton"), QCoreApplication::translate("TBWCForm", "&Edit..."),
        QCoreApplication::translate("TBWCForm", "Edit selected message"), menu.editAction);
    add(QStringLiteral("deleteButton"), QCoreApplication::translate("TBWCForm", "&Delete"),
        QCoreApplication::translate("TBWCForm", "Delete selected message"), menu.deleteAction);
    row->addStretch();
    return row;
}
