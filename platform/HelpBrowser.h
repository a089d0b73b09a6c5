#pragma once

#include "HelpService.h"

#include <memory>

class HelpWindow;
class Shell;

// The help pages shown in the program's own help window, which is made when first needed and then
// reused, so that its history lives as long as the program.
class HelpBrowser final : public HelpService
{
public:
    HelpBrowser(QString helpFolder, Shell& shell);
    ~HelpBrowser() override;
    HelpBrowser(const HelpBrowser&) = delete;
    HelpBrowser& operator=(const HelpBrowser&) = delete;

    void ShowHelpTopic(const QString& topic) override;

    // The window, once a topic has been shown.
    [[nodiscard]] HelpWindow* Window() const { return m_window.get(); }

private:
    QString m_helpFolder;
    Shell& m_shell;
    std::unique_ptr<HelpWindow> m_window;
};
