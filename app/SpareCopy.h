#pragma once

#include "ItemList.h"

#include <QObject>

#include <filesystem>
#include <functional>
#include <optional>

class Dialogs;
class QWidget;

// The spare copy "bwlist.bak" of the personal list, written every 300 ticks. It is the user's way
// back when "bwlist.dat" is lost or damaged, so a list that has lost most of its reminders since
// the spare was written does not replace it unasked: the user is asked once, after the tick (a box
// inside the tick would hold up the scan). Yes writes the list as it is then; No keeps the spare
// for the rest of the run, until the list holds at least half as many reminders again.
class SpareCopy : public QObject
{
    Q_OBJECT

public:
    // parent gives the window the question belongs to when it is asked.
    SpareCopy(std::filesystem::path file, Dialogs& dialogs, std::function<QWidget*()> parent, QObject* owner = nullptr);

    // Writes the list as the spare copy, or asks first (see above). May fail with EBWError.
    void Save(const TBWItemList& list);

private:
    [[nodiscard]] std::size_t SpareCount();
    void Write(const TBWItemList& list);
    void Ask(const TBWItemList& list);

    std::filesystem::path m_file;
    Dialogs& m_dialogs;
    std::function<QWidget*()> m_parent;
    // How many reminders the spare holds; read from the file once, then known from each write. A
    // spare that cannot be read holds nothing worth keeping.
    std::optional<std::size_t> m_spareCount;
    bool m_asking = false;
    bool m_declined = false;
};
