#pragma once

#include <QString>

class QPushButton;
class QWidget;

// A small square button of the message dialogs, such as "..." or "+": as wide as it is high (wider
// only where its text needs it), never the default button, with a tooltip that also names it for
// screen readers.
QPushButton* MakeSmallButton(const QString& objectName, const QString& text, const QString& toolTip, QWidget* parent);
