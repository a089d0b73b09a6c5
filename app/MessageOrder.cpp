#include "MessageOrder.h"

#include <QByteArray>
#include <QCollatorSortKey>
#include <QString>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

template <typename T>
int CompareValues(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

QByteArray FoldedText(const TBWItem& item)
{
    return QString::fromLocal8Bit(item.Title).toCaseFolded().toUtf8();
}

} // namespace

MessageOrder::MessageOrder() : m_byFoldedText(m_collator.locale().language() == QLocale::C)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

int MessageOrder::CompareMessages(const TBWItem& a, const TBWItem& b) const
{
    int result = 0;
    switch (m_column) {
    case DueTimeColumn:
        result = CompareValues(a.EffectiveDueTime(), b.EffectiveDueTime());
        break;
    case KindColumn:
        result = CompareValues(a.Kind, b.Kind);
        break;
    default:
        result = CompareTitles(a, b);
        break;
    }
    return m_reversed ? -result : result;
}

int MessageOrder::CompareTitles(const TBWItem& a, const TBWItem& b) const
{
    if (m_byFoldedText) {
        return Sign(FoldedText(a).compare(FoldedText(b)));
    }
    return Sign(m_collator.compare(QString::fromLocal8Bit(a.Title), QString::fromLocal8Bit(b.Title)));
}

void MessageOrder::Sort(TBWItemList& list) const
{
    if (m_column == DueTimeColumn || m_column == KindColumn) {
        std::stable_sort(list.begin(), list.end(),
                         [this](const auto& a, const auto& b) { return CompareMessages(*a, *b) < 0; });
        return;
    }
    // By title the key of each message is made once, not once per comparison.
    if (m_byFoldedText) {
        SortByTitle(list, [](const TBWItem& item) { return FoldedText(item); });
    } else {
        SortByTitle(list,
                    [this](const TBWItem& item) { return m_collator.sortKey(QString::fromLocal8Bit(item.Title)); });
    }
}

template <typename Key>
void MessageOrder::SortByTitle(TBWItemList& list, Key&& key) const
{
    using KeyType = decltype(key(*list.front()));
    std::vector<std::pair<KeyType, std::unique_ptr<TBWItem>>> keyed;
    keyed.reserve(list.size());
    for (auto& item : list) {
        KeyType itemKey = key(*item);
        keyed.emplace_back(std::move(itemKey), std::move(item));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [this](const auto& a, const auto& b) {
        const int result = Sign(a.first.compare(b.first));
        return (m_reversed ? -result : result) < 0;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        list[i] = std::move(keyed[i].second);
    }
}
