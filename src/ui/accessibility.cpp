// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility.h"

#include "ui/controls/announcer.h"
#include "ui/controls/panel.h"
#include "ui/frm_main.h"
#include "ui/reference_label.h"

#include <QAccessibleWidget>

namespace ui {
namespace {

// A keyword label: a link, named by its keyword, pressed as a click presses it.
class KeywordLabelAccessible : public QAccessibleWidget
{
public:
    explicit KeywordLabelAccessible(ReferenceLabel *label)
        : QAccessibleWidget(label, QAccessible::Link)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = true;
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            static_cast<ReferenceLabel *>(widget())->activate();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface *accessibleFor(const QString &, QObject *object)
{
    if (auto *label = qobject_cast<ReferenceLabel *>(object); label && label->isKeyword())
        return new KeywordLabelAccessible(label);
    if (auto *panel = qobject_cast<Panel *>(object))
        return new QAccessibleWidget(panel, panel->accessibleRole());
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    if (auto *window = qobject_cast<frmMain *>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace ui
