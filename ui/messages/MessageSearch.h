#pragma once

#include "ItemList.h"

#include <QLocale>
#include <QString>

#include <functional>
#include <string>

// One search of the message list for a piece of text: in the title, the text, or both joined with
// nothing between them ("Anywhere"). Without case sensitivity both sides are lower-cased by the
// rules of the user's language; with it, bytes are compared as they are.
class MessageSearch
{
public:
    enum Scope : int
    {
        Anywhere = 0,
        TitleOnly = 1,
        TextOnly = 2,
    };

    MessageSearch(std::string text, Scope scope, bool caseSensitive, const QLocale& locale = QLocale());

    [[nodiscard]] bool Matches(const TBWItem& message) const;
    // The index of the first message from start on that matches, or -1. No wrap-around.
    [[nodiscard]] int FindFrom(const TBWItemList& messages, int start) const;
    // The same over rows that are not one list: count rows, each given by messageAt.
    [[nodiscard]] int FindFrom(int count, const std::function<const TBWItem&(int row)>& messageAt, int start) const;

private:
    [[nodiscard]] std::string SearchedText(const TBWItem& message) const;

    std::string m_text;
    Scope m_scope;
    bool m_caseSensitive;
    QLocale m_locale;
    QString m_loweredText;
};
