#pragma once

#include "LockOwner.h"
#include "StoreClock.h"
#include "StoreNames.h"
#include "StoreResult.h"

#include <chrono>
#include <random>
#include <string>

class CancelSignal;
class GroupStore;

struct LockSettings
{
    // A lock older than this was left by a member that crashed or lost its network, and is taken
    // over. Every member must use the same bound: a holder never commits after three quarters of
    // it, so that a take-over never meets a holder that is still at work.
    std::chrono::milliseconds StaleAfter{120000};
    // How long Take() keeps trying while another member holds the lock.
    std::chrono::milliseconds Wait{30000};

    [[nodiscard]] std::chrono::milliseconds HoldLimit() const { return StaleAfter * 3 / 4; }
};

// What this member has seen of a group's lock: an owner file that cannot be read (a member that
// crashed between making the lock folder and writing into it), or one whose time cannot be
// trusted, is judged by how long it stays the same here. Kept per group for as long as the program
// runs, since one publish does not wait that long.
class LockSightings
{
public:
    // Whether the lock has shown exactly this content for longer than the bound.
    [[nodiscard]] bool UnchangedFor(const std::string& content, StoreClock::Steady::time_point now,
                                    std::chrono::milliseconds bound);
    void Forget() { m_seen = false; }

private:
    bool m_seen = false;
    std::string m_content;
    StoreClock::Steady::time_point m_since;
};

// The lock beside a group's shared file, made of the one operation every location offers
// atomically: creating a folder, which fails for all but one member when several try at once.
// Its owner file says who holds it. A lock older than LockSettings::StaleAfter is taken over:
// renamed away first (only one member's rename succeeds), checked to be the lock that was judged,
// then cleared. Released by the destructor if still held.
class GroupLock
{
public:
    enum class Outcome
    {
        Taken,
        Busy,    // another member held it for the whole wait
        Refused, // the location does not let this member make the lock folder
        Failed,  // the location could not be reached or did not answer
    };

    GroupLock(GroupStore& store, StoreClock& clock, const CancelSignal* cancel, LockSightings& sightings,
              LockOwner owner, LockSettings settings);
    ~GroupLock();
    GroupLock(const GroupLock&) = delete;
    GroupLock& operator=(const GroupLock&) = delete;

    Outcome Take(std::string& detail);
    // What lay behind a Failed or Refused outcome of Take, where the location said.
    [[nodiscard]] StoreCause FailureCause() const { return m_failureCause; }
    // Whether the lock folder still carries this holder's token (read from the location).
    [[nodiscard]] bool StillHeld();
    // Whether this holder may still commit: not past three quarters of the stale bound.
    [[nodiscard]] bool WithinHoldLimit() const;
    void Release();

    [[nodiscard]] const LockOwner& Owner() const { return m_owner; }
    [[nodiscard]] const StoreNames& Names() const { return m_names; }

private:
    // Whether the lock whose owner file reads as content (empty: none) is stale.
    [[nodiscard]] bool IsStale(const std::string& content, bool readable);
    // Takes a stale lock away; true when the lock name is free again.
    bool TakeOver(const std::string& judgedContent);
    [[nodiscard]] bool Cancelled() const;

    GroupStore& m_store;
    StoreClock& m_clock;
    const CancelSignal* m_cancel;
    LockSightings& m_sightings;
    LockOwner m_owner;
    LockSettings m_settings;
    StoreNames m_names;
    std::minstd_rand m_jitter;
    bool m_held = false;
    StoreClock::Steady::time_point m_takenAt;
    StoreCause m_failureCause = StoreCause::Unknown;
};
