#pragma once

class QHBoxLayout;
class QWidget;
struct MainMenu;

// The New, Edit and Delete buttons under the list, in a row that ends in a stretch. Each follows
// its menu entry: usable when the command is, and triggering it when clicked.
[[nodiscard]] QHBoxLayout* MakeCommandButtons(QWidget& parent, const MainMenu& menu);
