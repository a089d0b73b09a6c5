#pragma once

#include "ItemList.h"
#include "SavedListStamp.h"

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Writes the groups' working lists on a thread of its own. The main thread only writes a list out
// as text; deciphering, the digest that skips an unchanged list, and the write with its flush to
// disk (tens or hundreds of milliseconds for a large group) happen here, so that the window does
// not wait for them. Saves of one file are written in the order they were asked for; a save still
// waiting is replaced by a newer one of the same file.
class WorkingListWriter
{
public:
    struct Failure
    {
        std::string Group;
        std::string What;
    };

    WorkingListWriter();
    // Writes what is waiting before it returns: nothing asked for is lost at the end of the program.
    ~WorkingListWriter();
    WorkingListWriter(const WorkingListWriter&) = delete;
    WorkingListWriter& operator=(const WorkingListWriter&) = delete;

    // Queues the list to be written to file under the password, unless the file still holds
    // exactly that list (as this writer last wrote it).
    void Save(const TBWItemList& list, const std::filesystem::path& file, const std::string& password,
              const std::string& group);
    // Whether a save of the file is waiting or being written.
    [[nodiscard]] bool IsPending(const std::filesystem::path& file) const;
    // Returns once every save asked for so far is written (or has failed): before anything else
    // writes or reads these files.
    void Flush();
    // The saves that failed since the last call.
    [[nodiscard]] std::vector<Failure> TakeFailures();

private:
    struct Job
    {
        std::filesystem::path File;
        std::string Bytes; // ContainerHeaderSize reserved bytes, then the list's text
        std::size_t LineCount = 0;
        std::string Password;
        std::string Group;
    };

    void Work();

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_waiting;
    std::filesystem::path m_writing; // empty while none is
    bool m_ending = false;
    std::vector<Failure> m_failures;
    // Only the writing thread uses these.
    std::map<std::filesystem::path, TSavedListStamp> m_stamps;
    std::thread m_thread; // last: starts once everything above is made
};
