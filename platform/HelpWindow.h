#pragma once

#include <QWidget>

class QTextBrowser;
class QToolButton;
class QUrl;
class Shell;

// The program's help viewer: the pages of the help folder, with back, forward and contents. Links to
// other pages stay in the window; web addresses go to the desktop's browser.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    HelpWindow(QString helpFolder, Shell& shell, QWidget* parent = nullptr);

    // Shows the page; a page that is not there is named in a clear message instead.
    void ShowTopic(const QString& topic);

    static inline const QString ContentsTopic = QStringLiteral("benefits.htm");

private:
    void OnLinkClicked(const QUrl& url);
    void ShowMissingPage(const QString& topic);
    void UpdateButtons();

    QString m_helpFolder;
    Shell& m_shell;
    QTextBrowser* m_browser;
    QToolButton* m_backButton;
    QToolButton* m_forwardButton;
};
