#include "MessageSearch.h"

#include <algorithm>
#include <utility>

MessageSearch::MessageSearch(std::string text, Scope scope, bool caseSensitive, const QLocale& locale)
    : m_text(std::move(text)), m_scope(scope), m_caseSensitive(caseSensitive), m_locale(locale)
{
    if (!m_caseSensitive) {
        m_loweredText = m_locale.toLower(QString::fromLocal8Bit(m_text));
    }
}

std::string MessageSearch::SearchedText(const TBWItem& message) const
{
    switch (m_scope) {
    case TitleOnly:
        return message.Title;
    case TextOnly:
        return message.Text;
    default:
        return message.Title + message.Text;
    }
}

bool MessageSearch::Matches(const TBWItem& message) const
{
    const std::string searched = SearchedText(message);
    if (m_caseSensitive) {
        return searched.find(m_text) != std::string::npos;
    }
    return m_locale.toLower(QString::fromLocal8Bit(searched)).contains(m_loweredText);
}

int MessageSearch::FindFrom(const TBWItemList& messages, int start) const
{
    return FindFrom(
        static_cast<int>(messages.size()),
        [&messages](int row) -> const TBWItem& { return *messages[static_cast<std::size_t>(row)]; }, start);
}

int MessageSearch::FindFrom(int count, const std::function<const TBWItem&(int row)>& messageAt, int start) const
{
    for (int row = std::max(start, 0); row < count; ++row) {
        if (Matches(messageAt(row))) {
            return row;
        }
    }
    return -1;
}
