#pragma once

#include <QObject>

#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QString;

// The program's icon in the notification area, with its menu "Open" and "Exit". A click on the icon
// acts as "Open". The icon stays hidden until Show(); if the desktop's tray comes back (a restarted
// panel), Qt puts the icon there again.
class TrayController : public QObject
{
    Q_OBJECT

public:
    explicit TrayController(QObject* parent = nullptr);
    ~TrayController() override;

    void Show();
    [[nodiscard]] bool IsShown() const;
    // Only a changed text reaches the tray: some trays redraw the icon on every update.
    void SetToolTip(const QString& text);
    // The icon with a warning mark, while something the user relies on does not work.
    void SetWarning(bool warning);
    [[nodiscard]] bool ShowsWarning() const { return m_warning; }
    [[nodiscard]] QSystemTrayIcon* Icon() const { return m_icon; }
    [[nodiscard]] QMenu* Menu() const { return m_menu.get(); }

Q_SIGNALS:
    void OpenRequested();
    void ExitRequested();

private:
    // A tray icon does not own its menu.
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon* m_icon;
    bool m_warning = false;
};
