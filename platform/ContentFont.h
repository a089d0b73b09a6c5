#pragma once

class QWidget;

// The text boxes that show a message's own words (the reminder, the message editor) use "Calibri",
// two points larger, where that font is installed and the box does not use it already; elsewhere
// the box keeps its font.
void AdjustContentFont(QWidget& textBox);
