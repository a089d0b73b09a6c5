#include "HintSwitch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QToolTip>

HintSwitch::HintSwitch(QObject* parent) : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

HintSwitch::~HintSwitch()
{
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
}

void HintSwitch::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!enabled) {
        QToolTip::hideText();
    }
}

bool HintSwitch::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_enabled && event->type() == QEvent::ToolTip) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}
