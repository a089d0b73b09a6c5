#include "LockedPublish.h"

#include "CancelSignal.h"
#include "GroupFileBytes.h"
#include "GroupStore.h"

#include <algorithm>
#include <utility>

namespace {
using Problem = PublishOutcome::Problem;

// Reads, changes and sends of one publish when the location reports another writer in between.
constexpr int MaxAttempts = 3;

void Note(PublishOutcome& outcome, Problem what, std::string detail)
{
    outcome.What = what;
    outcome.Detail = std::move(detail);
}

bool Listed(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

Problem ProblemOf(OpenedGroupFile::Verdict verdict)
{
    return verdict == OpenedGroupFile::Verdict::DamagedRecords ? Problem::Damaged : Problem::BadContainer;
}
} // namespace

LockedPublish::LockedPublish(GroupStore& store, StoreClock& clock, const CancelSignal* cancel, PublishMemory& memory,
                             LockOwner owner, LockSettings settings)
    : m_store(store), m_clock(clock), m_cancel(cancel), m_memory(memory), m_settings(settings),
      m_lock(store, clock, cancel, memory.Sightings, std::move(owner), settings)
{}

PublishOutcome LockedPublish::Run(const std::string& password, const ChangeSet& changes)
{
    PublishOutcome outcome;
    if (!m_store.Can().Writable) {
        Note(outcome, Problem::ReadOnly, "a web address without an account can only be read");
        return outcome;
    }
    if (const StoreResult writable = m_store.CheckWritable(); !writable.IsOk()) {
        const bool readOnly = writable.Cause == StoreCause::ReadOnly || writable.Cause == StoreCause::PlainLogin;
        Note(outcome, readOnly ? Problem::ReadOnly : Problem::Unreachable, writable.Detail);
        outcome.Cause = writable.Cause;
        return outcome;
    }
    std::string detail;
    switch (m_lock.Take(detail)) {
    case GroupLock::Outcome::Taken:
        m_locked = true;
        break;
    case GroupLock::Outcome::Busy:
        Note(outcome, Problem::Busy, std::move(detail));
        return outcome;
    case GroupLock::Outcome::Refused:
        // An account that may store the group file but make nothing beside it: published as before
        // the lock existed, and said so.
        outcome.Unlocked = true;
        break;
    case GroupLock::Outcome::Failed:
        Note(outcome, Problem::Unreachable, std::move(detail));
        outcome.Cause = m_lock.FailureCause();
        return outcome;
    }

    std::vector<std::string> names;
    bool listed = m_store.List(names).IsOk();
    if (listed && m_locked) {
        ClearStaleLocks(names);
        // Without the group file, an upload left by a member cut off between taking the old file
        // away and renaming the new one holds the group: it stays until the file is back.
        if (Listed(names, m_store.SharedName())) {
            ClearLeftUploads(names);
        }
    }
    // A location that checks versions itself (a web server's If-Match) may say that another writer
    // came in between: the file is read, changed and sent once more.
    for (int attempt = 1;; ++attempt) {
        const PublishOutcome fresh = outcome;
        TBWItemList items;
        FetchResult current;
        if (!ReadCurrent(password, items, current, listed, names, outcome)) {
            return outcome;
        }
        if (!outcome.Created && changes.IsIn(items)) {
            // Sent before (a retry after an answer that never came): nothing to store again.
            outcome.Bytes = std::move(current.Bytes);
            for (const auto& message : changes.News()) {
                outcome.NewIds.push_back(message->Id);
            }
            return outcome;
        }
        ChangeSet applied = changes;
        applied.ApplyTo(items);
        for (const auto& message : applied.News()) {
            outcome.NewIds.push_back(message->Id);
        }
        const std::string bytes = SealGroupFile(items, password);
        m_overtaken = false;
        if (!Commit(bytes, outcome)) {
            if (m_overtaken && attempt < MaxAttempts) {
                outcome = fresh;
                listed = m_store.List(names).IsOk();
                continue;
            }
            return outcome;
        }
        if (!outcome.Created) {
            MakeDistinct(current.Validator, bytes, outcome);
        }
        Verify(password, applied, outcome);
        if (outcome.IsDone() && outcome.Created && listed && m_locked) {
            ClearLeftUploads(names);
        }
        m_lock.Release();
        return outcome;
    }
}

bool LockedPublish::ReadCurrent(const std::string& password, TBWItemList& items, FetchResult& current, bool listed,
                                const std::vector<std::string>& names, PublishOutcome& outcome)
{
    current = m_store.Fetch(m_store.SharedName(), nullptr);
    switch (current.Result.Status) {
    case StoreStatus::Ok: {
        const OpenedGroupFile opened = OpenGroupFile(current.Bytes, password, items);
        if (!opened.IsOk()) {
            Note(outcome, ProblemOf(opened.Check), opened.Reason);
            return false;
        }
        return true;
    }
    case StoreStatus::NotFound:
        // Only a folder that could be listed and does not name the file says it is missing: a
        // refusal to read it (or a server that says 550 for both) must not make anyone's messages
        // vanish under a new, empty file.
        if (listed && !Listed(names, m_store.SharedName())) {
            outcome.Created = true;
            items.clear();
            TakeUpLeftUpload(password, names, items);
            return true;
        }
        Note(outcome, Problem::Unreachable, current.Result.Detail);
        outcome.Cause = current.Result.Cause;
        return false;
    case StoreStatus::TooLarge:
        Note(outcome, Problem::TooLarge, current.Result.Detail);
        return false;
    default:
        Note(outcome, Problem::Unreachable, current.Result.Detail);
        outcome.Cause = current.Result.Cause;
        return false;
    }
}

bool LockedPublish::MayCommit(PublishOutcome& outcome)
{
    if (m_cancel != nullptr && m_cancel->IsCancelled()) {
        Note(outcome, Problem::SendFailed, "cancelled");
        return false;
    }
    if (!m_locked) {
        return true;
    }
    if (!m_lock.WithinHoldLimit()) {
        Note(outcome, Problem::Busy, "the publish took too long to finish under the lock");
        return false;
    }
    if (!m_lock.StillHeld()) {
        Note(outcome, Problem::Busy, "the lock was taken over by another member");
        return false;
    }
    return true;
}

bool LockedPublish::Commit(const std::string& bytes, PublishOutcome& outcome)
{
    if (m_memory.StoreInPlace) {
        return CommitInPlace(bytes, outcome);
    }
    const std::string upload = m_lock.Names().Upload(m_clock.UtcSeconds(), m_lock.Owner().Token);
    const StoreResult put = m_store.Put(upload, bytes);
    if (!put.IsOk()) {
        m_store.Delete(upload);
        if (put.Status != StoreStatus::Refused || put.Cause == StoreCause::Login) {
            Note(outcome, Problem::SendFailed, put.Detail);
            outcome.Cause = put.Cause;
            return false;
        }
        return FallBackInPlace(bytes, outcome);
    }
    if (!MayCommit(outcome)) {
        m_store.Delete(upload);
        return false;
    }
    StoreResult renamed = m_store.Rename(upload, m_store.SharedName());
    bool sharedGone = false;
    if (renamed.Status == StoreStatus::Refused && !outcome.Created && m_store.Delete(m_store.SharedName()).IsOk()) {
        // Some servers rename only onto a free name: the file is missing for a moment, never broken.
        sharedGone = true;
        renamed = m_store.Rename(upload, m_store.SharedName());
    }
    if (renamed.IsOk()) {
        outcome.Sent = true;
        return true;
    }
    if (sharedGone) {
        // The upload is the group's only whole copy now: it goes only once the file is back, and
        // if it cannot be put back here, the next publish takes the upload up.
        const bool stored =
            renamed.Status == StoreStatus::Refused ? FallBackInPlace(bytes, outcome) : CommitInPlace(bytes, outcome);
        if (stored) {
            m_store.Delete(upload);
        }
        return stored;
    }
    m_store.Delete(upload);
    if (renamed.Status != StoreStatus::Refused) {
        m_overtaken = renamed.Status == StoreStatus::Changed;
        Note(outcome, Problem::SendFailed, renamed.Detail);
        outcome.Cause = renamed.Cause;
        return false;
    }
    return FallBackInPlace(bytes, outcome);
}

bool LockedPublish::FallBackInPlace(const std::string& bytes, PublishOutcome& outcome)
{
    // Remembered only when storing in place works, so that a refusal for another reason (a full
    // disk) does not give up the temporary name for good.
    const bool stored = CommitInPlace(bytes, outcome);
    m_memory.StoreInPlace = stored;
    return stored;
}

bool LockedPublish::CommitInPlace(const std::string& bytes, PublishOutcome& outcome)
{
    if (!MayCommit(outcome)) {
        return false;
    }
    const StoreResult put = m_store.Put(m_store.SharedName(), bytes);
    if (!put.IsOk()) {
        m_overtaken = put.Status == StoreStatus::Changed;
        Note(outcome, Problem::SendFailed, put.Detail);
        outcome.Cause = put.Cause;
        return false;
    }
    outcome.Sent = true;
    outcome.StoredInPlace = true;
    return true;
}

void LockedPublish::MakeDistinct(const FileValidator& before, const std::string& bytes, PublishOutcome& outcome)
{
    FileValidator after;
    if (!before.IsKnown() || !m_store.Stat(m_store.SharedName(), after).IsOk() || !(after == before)) {
        return;
    }
    m_clock.Pause(std::chrono::milliseconds(1100));
    // A failure here leaves a good file that only conditional pulls may miss until its next change.
    PublishOutcome again;
    Commit(bytes, again);
    outcome.StoredInPlace = outcome.StoredInPlace || again.StoredInPlace;
}

void LockedPublish::Verify(const std::string& password, const ChangeSet& applied, PublishOutcome& outcome)
{
    FetchResult stored = m_store.Fetch(m_store.SharedName(), nullptr);
    TBWItemList items;
    if (!stored.Result.IsOk()) {
        Note(outcome, Problem::NotVerified, stored.Result.Detail);
        return;
    }
    if (!OpenGroupFile(stored.Bytes, password, items).IsOk() || !applied.IsIn(items)) {
        Note(outcome, Problem::NotVerified, "the group file fetched again does not hold the change");
        return;
    }
    outcome.Bytes = std::move(stored.Bytes);
}

void LockedPublish::TakeUpLeftUpload(const std::string& password, const std::vector<std::string>& names,
                                     TBWItemList& items)
{
    std::vector<std::pair<std::int64_t, std::string>> uploads;
    for (const std::string& name : names) {
        const StoreNames::Leftover leftover = m_lock.Names().Classify(name);
        if (leftover.What == StoreNames::Kind::Upload) {
            uploads.emplace_back(leftover.Made, name);
        }
    }
    // The newest whole one is the last version a member meant to put in place; a cut one does
    // not open.
    std::sort(uploads.rbegin(), uploads.rend());
    for (const auto& [made, name] : uploads) {
        const FetchResult fetched = m_store.Fetch(name, nullptr);
        TBWItemList candidate;
        if (fetched.Result.IsOk() && OpenGroupFile(fetched.Bytes, password, candidate).IsOk()) {
            items = std::move(candidate);
            return;
        }
    }
}

std::vector<std::string> LockedPublish::LongLeft(const std::vector<std::string>& names, StoreNames::Kind kind) const
{
    const std::int64_t now = m_clock.UtcSeconds();
    const auto bound = std::chrono::duration_cast<std::chrono::seconds>(m_settings.StaleAfter).count();
    std::vector<std::string> left;
    for (const std::string& name : names) {
        const StoreNames::Leftover leftover = m_lock.Names().Classify(name);
        if (leftover.What == kind && now - leftover.Made > bound) {
            left.push_back(name);
        }
    }
    return left;
}

void LockedPublish::ClearLeftUploads(const std::vector<std::string>& names)
{
    for (const std::string& name : LongLeft(names, StoreNames::Kind::Upload)) {
        m_store.Delete(name);
    }
}

void LockedPublish::ClearStaleLocks(const std::vector<std::string>& names)
{
    for (const std::string& name : LongLeft(names, StoreNames::Kind::Stale)) {
        m_store.Delete(StoreNames::OwnerIn(name));
        m_store.RemoveFolder(name);
    }
}
