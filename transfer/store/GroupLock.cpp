#include "GroupLock.h"

#include "CancelSignal.h"
#include "GroupStore.h"

#include <algorithm>

namespace {
using namespace std::chrono_literals;

// Retries start soon and back off, so that a lock held for a few milliseconds is taken at once
// and a long one costs the location a question a second; the jitter keeps waiting members from
// asking in step.
constexpr auto FirstRetry = 20ms;
constexpr auto LongestRetry = 1000ms;
constexpr int MaxTakeOversInARow = 3;
constexpr int RefusalsBelieved = 3;
// A file the owner file is compared with when there is none.
constexpr const char* NoOwnerFile = "";
} // namespace

bool LockSightings::UnchangedFor(const std::string& content, StoreClock::Steady::time_point now,
                                 std::chrono::milliseconds bound)
{
    if (!m_seen || content != m_content) {
        m_seen = true;
        m_content = content;
        m_since = now;
        return false;
    }
    return now - m_since > bound;
}

GroupLock::GroupLock(GroupStore& store, StoreClock& clock, const CancelSignal* cancel, LockSightings& sightings,
                     LockOwner owner, LockSettings settings)
    : m_store(store), m_clock(clock), m_cancel(cancel), m_sightings(sightings), m_owner(std::move(owner)),
      m_settings(settings), m_names(store.SharedName()), m_jitter(std::random_device{}())
{}

GroupLock::~GroupLock()
{
    Release();
}

bool GroupLock::Cancelled() const
{
    return m_cancel != nullptr && m_cancel->IsCancelled();
}

GroupLock::Outcome GroupLock::Take(std::string& detail)
{
    const auto deadline = m_clock.Now() + m_settings.Wait;
    auto retry = std::chrono::milliseconds(FirstRetry);
    int takeOvers = 0;
    int refusals = 0;
    int readFailures = 0;
    for (;;) {
        if (Cancelled()) {
            detail = "cancelled";
            return Outcome::Failed;
        }
        const StoreResult made = m_store.MakeFolder(m_names.Lock());
        if (made.IsOk()) {
            m_owner.Taken = m_clock.UtcSeconds();
            const StoreResult written = m_store.Put(m_names.Owner(), m_owner.Encode());
            if (!written.IsOk()) {
                m_store.RemoveFolder(m_names.Lock());
                detail = written.Detail;
                m_failureCause = written.Cause;
                return written.Status == StoreStatus::Refused ? Outcome::Refused : Outcome::Failed;
            }
            m_held = true;
            m_takenAt = m_clock.Now();
            m_sightings.Forget();
            return Outcome::Taken;
        }
        // A refused login is no refusal of the lock folder: nothing can be done there at all.
        const bool refused = made.Status == StoreStatus::Refused && made.Cause != StoreCause::Login;
        if (refused && ++refusals < RefusalsBelieved) {
            // A lock released and taken again between the refusal and the look at the folder looks
            // like a refusal once; a location that forbids folders refuses every time.
            m_clock.Pause(retry);
            continue;
        }
        if (made.Status != StoreStatus::Exists) {
            detail = made.Detail;
            m_failureCause = made.Cause;
            return refused ? Outcome::Refused : Outcome::Failed;
        }
        refusals = 0;
        const FetchResult owner = m_store.Fetch(m_names.Owner(), nullptr);
        if (owner.Result.Status == StoreStatus::Failed && ++readFailures >= RefusalsBelieved) {
            detail = owner.Result.Detail;
            m_failureCause = owner.Result.Cause;
            return Outcome::Failed;
        }
        // An owner file caught while its holder writes it reads short once; it is judged next time.
        const bool readable = owner.Result.IsOk();
        const std::string content = readable ? owner.Bytes : NoOwnerFile;
        // A lock cleared away is tried for again at once, but not for ever without a pause.
        if (IsStale(content, readable) && TakeOver(content) && ++takeOvers < MaxTakeOversInARow) {
            continue;
        }
        takeOvers = 0;
        const auto now = m_clock.Now();
        if (now >= deadline) {
            const auto holder = readable ? LockOwner::Parse(content) : std::nullopt;
            detail = holder ? "held by " + holder->User + " on " + holder->Host : "held by another member";
            return Outcome::Busy;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        std::uniform_int_distribution<long long> spread(retry.count() / 2, retry.count());
        m_clock.Pause(std::min(left, std::chrono::milliseconds(spread(m_jitter))));
        retry = std::min(retry * 2, std::chrono::milliseconds(LongestRetry));
    }
}

bool GroupLock::IsStale(const std::string& content, bool readable)
{
    const auto bound = m_settings.StaleAfter;
    // Watched here for longer than the bound: whatever the owner file says, its holder would have
    // stopped committing long ago.
    if (m_sightings.UnchangedFor(content, m_clock.Now(), bound)) {
        return true;
    }
    const auto owner = readable ? LockOwner::Parse(content) : std::nullopt;
    if (!owner) {
        return false;
    }
    const auto age = std::chrono::seconds(m_clock.UtcSeconds() - owner->Taken);
    return age > bound;
}

bool GroupLock::TakeOver(const std::string& judgedContent)
{
    const std::string aside = m_names.Stale(m_clock.UtcSeconds(), m_owner.Token);
    const StoreResult renamed = m_store.Rename(m_names.Lock(), aside);
    if (!renamed.IsOk()) {
        // Gone: another member took it over or its holder released it. Anything else: wait and see.
        return renamed.Status == StoreStatus::NotFound;
    }
    const FetchResult owner = m_store.Fetch(StoreNames::OwnerIn(aside), nullptr);
    const std::string content = owner.Result.IsOk() ? owner.Bytes : NoOwnerFile;
    if (content != judgedContent) {
        // Between the judgement and the rename the lock changed hands: this one is alive. Put it back;
        // if another member has made a new lock meanwhile, its holder finds out by its token before
        // it commits.
        m_store.Rename(aside, m_names.Lock());
        return false;
    }
    m_store.Delete(StoreNames::OwnerIn(aside));
    m_store.RemoveFolder(aside);
    m_sightings.Forget();
    return true;
}

bool GroupLock::StillHeld()
{
    if (!m_held) {
        return false;
    }
    const FetchResult owner = m_store.Fetch(m_names.Owner(), nullptr);
    const auto holder = owner.Result.IsOk() ? LockOwner::Parse(owner.Bytes) : std::nullopt;
    return holder && holder->Token == m_owner.Token;
}

bool GroupLock::WithinHoldLimit() const
{
    return m_held && m_clock.Now() - m_takenAt < m_settings.HoldLimit();
}

void GroupLock::Release()
{
    if (!m_held) {
        return;
    }
    m_held = false;
    // Only this holder's lock is cleared: after a take-over the folder may be someone else's.
    const FetchResult owner = m_store.Fetch(m_names.Owner(), nullptr);
    const auto holder = owner.Result.IsOk() ? LockOwner::Parse(owner.Bytes) : std::nullopt;
    if (holder && holder->Token == m_owner.Token) {
        m_store.Delete(m_names.Owner());
        m_store.RemoveFolder(m_names.Lock());
    }
}
