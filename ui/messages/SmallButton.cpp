#include "SmallButton.h"

#include <QPushButton>

#include <algorithm>

QPushButton* MakeSmallButton(const QString& objectName, const QString& text, const QString& toolTip, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip);
    button->setFixedWidth(std::max(button->sizeHint().height(), button->fontMetrics().horizontalAdvance(text) + 12));
    return button;
}
