#pragma once

class MessageListModel;
class QTreeView;
class QWidget;

// The main window's table of messages over the model: one row per message with its state mark,
// whole rows selected one at a time, headers that sort when clicked, and the designed column widths,
// widened where the user's font and date format need more room.
[[nodiscard]] QTreeView* MakeMessageListView(MessageListModel& model, QWidget* parent);
