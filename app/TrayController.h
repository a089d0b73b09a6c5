#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QSystemTrayIcon;

// The program's icon in the notification area, with its menu: "Open", "New reminder…", the next
// reminders to come, "Pause reminders for 1 hour" (or "Resume reminders" while paused) and "Exit".
// A click on the icon acts as "Open". The icon stays hidden until Show(); if the desktop's tray
// comes back (a restarted panel), Qt puts the icon there again.
class TrayController : public QObject
{
    Q_OBJECT

public:
    static constexpr int UpcomingCount = 3;

    // One of the next reminders as its menu entry shows it; groupName is empty for the user's own.
    struct Upcoming
    {
        QString Text;
        std::int32_t Id = 0;
        QString GroupName;
        bool operator==(const Upcoming&) const = default;
    };

    explicit TrayController(QObject* parent = nullptr);
    ~TrayController() override;

    void Show();
    [[nodiscard]] bool IsShown() const;
    // Only a changed text reaches the tray: some trays redraw the icon on every update.
    void SetToolTip(const QString& text);
    // The icon with a warning mark, while something the user relies on does not work.
    void SetWarning(bool warning);
    [[nodiscard]] bool ShowsWarning() const { return m_warning; }
    // At most UpcomingCount entries, soonest first; the menu changes only when they do.
    void SetUpcoming(const std::vector<Upcoming>& upcoming);
    void SetPaused(bool paused);
    [[nodiscard]] QSystemTrayIcon* Icon() const { return m_icon; }
    [[nodiscard]] QMenu* Menu() const { return m_menu.get(); }

Q_SIGNALS:
    void OpenRequested();
    void ExitRequested();
    void NewReminderRequested();
    void ReminderRequested(std::int32_t id, const QString& groupName);
    void PauseRequested();
    void ResumeRequested();

private:
    // A tray icon does not own its menu.
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon* m_icon;
    std::vector<QAction*> m_upcomingActions;
    QAction* m_nothingComingAction = nullptr;
    QAction* m_pauseAction = nullptr;
    std::vector<Upcoming> m_upcoming;
    bool m_warning = false;
    bool m_paused = false;
};
