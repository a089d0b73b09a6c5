#include "HelpBrowser.h"

#include "HelpWindow.h"

HelpBrowser::HelpBrowser(QString helpFolder, Shell& shell) : m_helpFolder(std::move(helpFolder)), m_shell(shell) {}

HelpBrowser::~HelpBrowser() = default;

void HelpBrowser::ShowHelpTopic(const QString& topic)
{
    if (!m_window) {
        m_window = std::make_unique<HelpWindow>(m_helpFolder, m_shell);
    }
    m_window->ShowTopic(topic);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
