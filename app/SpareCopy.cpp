#include "SpareCopy.h"

#include "Dialogs.h"

#include <QTimer>

#include <exception>

SpareCopy::SpareCopy(std::filesystem::path file, Dialogs& dialogs, std::function<QWidget*()> parent, QObject* owner)
    : QObject(owner), m_file(std::move(file)), m_dialogs(dialogs), m_parent(std::move(parent))
{}

void SpareCopy::Save(const TBWItemList& list)
{
    const std::size_t spare = SpareCount();
    if (list.size() * 2 >= spare) {
        m_declined = false;
        Write(list);
        return;
    }
    if (!m_declined && !m_asking) {
        m_asking = true;
        // Asked once the tick has ended; by then the list may have changed, and is read again.
        QTimer::singleShot(0, this, [this, &list] { Ask(list); });
    }
}

std::size_t SpareCopy::SpareCount()
{
    if (!m_spareCount) {
        TBWItemList spare;
        try {
            m_spareCount = LoadItemList(spare, m_file, PersonalListPassword) == LoadOk ? spare.size() : 0;
        } catch (const std::exception&) {
            m_spareCount = 0;
        }
    }
    return *m_spareCount;
}

void SpareCopy::Write(const TBWItemList& list)
{
    SaveItemList(list, m_file, PersonalListPassword);
    m_spareCount = list.size();
}

void SpareCopy::Ask(const TBWItemList& list)
{
    const bool replace = m_dialogs.Confirm(
        m_parent(), tr("Spare copy"),
        tr("The spare copy \"%1\" holds %n reminder(s), but your list now holds only %2. Replace the spare copy "
           "with the list as it is now?\n\nChoose Cancel to keep the spare copy as it is, for example when "
           "reminders went missing by mistake.",
           nullptr, static_cast<int>(SpareCount()))
            .arg(QString::fromStdString(m_file.string()))
            .arg(list.size()));
    m_asking = false;
    m_declined = !replace;
    if (replace) {
        Write(list);
    }
}
