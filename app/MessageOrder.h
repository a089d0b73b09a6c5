#pragma once

#include "ItemList.h"

#include <QCollator>

// The order of the personal message list: by the moment each comes, by kind or by title (letter case
// ignored, by the rules of the user's language), ascending or reversed.
class MessageOrder
{
public:
    enum Column : int
    {
        NoColumn = -1,
        DueTimeColumn = 0,
        KindColumn = 1,
        TitleColumn = 2,
    };

    MessageOrder();

    [[nodiscard]] int SortColumn() const { return m_column; }
    [[nodiscard]] bool SortReversed() const { return m_reversed; }
    void SetSortColumn(int column) { m_column = column; }
    void SetSortReversed(bool reversed) { m_reversed = reversed; }

    // Negative, 0 or positive as a comes before, with or after b. Any column but due time and kind
    // (no column included) orders by title.
    [[nodiscard]] int CompareMessages(const TBWItem& a, const TBWItem& b) const;
    // Messages that compare equal keep their order among themselves.
    void Sort(TBWItemList& list) const;

private:
    [[nodiscard]] int CompareTitles(const TBWItem& a, const TBWItem& b) const;
    template <typename Key>
    void SortByTitle(TBWItemList& list, Key&& key) const;

    int m_column = NoColumn;
    bool m_reversed = false;
    QCollator m_collator;
    // Under the C locale Qt's collator compares without letter case but makes sort keys with it;
    // the titles are then ordered by their case-folded text, the same way for both.
    bool m_byFoldedText = false;
};
