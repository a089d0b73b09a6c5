#pragma once

// The selected row of the message list, as the commands that work on "the selected message" see it.
class MessageSelection
{
public:
    virtual ~MessageSelection() = default;

    // The selected row, or -1.
    [[nodiscard]] virtual int SelectedRow() const = 0;
    // Focuses the list, selects the row, makes it current and scrolls it into view; a row outside
    // the list is ignored.
    virtual void SelectRow(int row) = 0;

protected:
    MessageSelection() = default;
    MessageSelection(const MessageSelection&) = default;
    MessageSelection& operator=(const MessageSelection&) = default;
};
