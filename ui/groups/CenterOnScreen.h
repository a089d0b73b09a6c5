#pragma once

class QWidget;

// Moves a top-level window to the middle of the available area of the screen it is on.
void CenterOnScreen(QWidget& window);
