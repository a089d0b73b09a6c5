#pragma once

#include "ItemList.h"

#include <cstdint>

// What one member wants changed in a group file: messages to add or replace (by Id) and messages
// to take out (by Id; the message itself is kept, so that a change set can be stored as message
// lists). Each Id is in at most one of the two: a later change of a message replaces an earlier
// one, so that changes that wait to be sent can be gathered and sent in one go.
class ChangeSet
{
public:
    ChangeSet() = default;
    ChangeSet(const ChangeSet& other);
    ChangeSet& operator=(const ChangeSet& other);
    ChangeSet(ChangeSet&&) noexcept = default;
    ChangeSet& operator=(ChangeSet&&) noexcept = default;
    ~ChangeSet() = default;

    void Put(const TBWItem& message);
    void Remove(const TBWItem& message);
    // A message new to the group (from a tool that keeps no list of its own): added under its Id,
    // or under the next free one when the group file holds another message of that Id.
    void Add(const TBWItem& message);
    // The later set's changes, each replacing this set's change of the same message.
    void Merge(const ChangeSet& later);
    // Drops the changes that done holds in the same form: they were sent. Changes made since
    // (another edit of a message) stay.
    void Subtract(const ChangeSet& done);

    [[nodiscard]] bool IsEmpty() const { return m_puts.empty() && m_removals.empty() && m_news.empty(); }
    [[nodiscard]] const TBWItemList& Puts() const { return m_puts; }
    [[nodiscard]] const TBWItemList& Removals() const { return m_removals; }
    [[nodiscard]] const TBWItemList& News() const { return m_news; }

    // A message put replaces the first message of its Id in place, or is appended; every message
    // of a removed Id is taken out; new messages are appended, and get a free Id when theirs is
    // taken (this set then holds the Ids they got).
    void ApplyTo(TBWItemList& items);
    // Whether the items show every change: each put or new message is the first of its Id and the
    // same in every field, and no removed Id is left.
    [[nodiscard]] bool IsIn(const TBWItemList& items) const;

private:
    static void Drop(TBWItemList& list, std::int32_t id);

    TBWItemList m_puts;
    TBWItemList m_removals;
    TBWItemList m_news;
};
