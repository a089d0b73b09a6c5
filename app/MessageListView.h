#pragma once

#include <memory>

class MessageListModel;
class MessageSelection;
class QTreeView;
class QWidget;

// The main window's table of messages over the model: one row per message with its state mark,
// whole rows selected one at a time, headers that sort when clicked, and the designed column widths,
// widened where the user's font and date format need more room.
[[nodiscard]] QTreeView* MakeMessageListView(MessageListModel& model, QWidget* parent);

// The selection of such a view, for the commands that work on the selected message.
[[nodiscard]] std::unique_ptr<MessageSelection> MakeListViewSelection(QTreeView& view);
