#include "HelpWindow.h"

#include "Artwork.h"
#include "Shell.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QString helpFolder, Shell& shell, QWidget* parent)
    : QWidget(parent, Qt::Window), m_helpFolder(std::move(helpFolder)), m_shell(shell),
      m_browser(new QTextBrowser(this)), m_backButton(new QToolButton(this)), m_forwardButton(new QToolButton(this))
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(tr("Bellwick Help"));
    setWindowIcon(ProgramIcon());
    resize(640, 520);

    m_browser->setObjectName(QStringLiteral("helpTextBrowser"));
    m_browser->setAccessibleName(tr("Help page"));
    m_browser->setOpenLinks(false);
    m_browser->setSearchPaths({m_helpFolder});

    m_backButton->setObjectName(QStringLiteral("backButton"));
    m_backButton->setText(tr("&Back"));
    m_backButton->setToolTip(tr("Back (Alt+Left)"));
    m_forwardButton->setObjectName(QStringLiteral("forwardButton"));
    m_forwardButton->setText(tr("&Forward"));
    m_forwardButton->setToolTip(tr("Forward (Alt+Right)"));
    auto* contentsButton = new QToolButton(this);
    contentsButton->setObjectName(QStringLiteral("contentsButton"));
    contentsButton->setText(tr("&Contents"));
    for (QToolButton* button : {m_backButton, m_forwardButton, contentsButton}) {
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(true);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_backButton);
    buttons->addWidget(m_forwardButton);
    buttons->addWidget(contentsButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    // The browser was made first, but the buttons above it come first for the Tab key.
    setTabOrder(m_backButton, m_forwardButton);
    setTabOrder(m_forwardButton, contentsButton);
    setTabOrder(contentsButton, m_browser);

    connect(m_backButton, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forwardButton, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(contentsButton, &QToolButton::clicked, this, [this] { ShowTopic(ContentsTopic); });
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::OnLinkClicked);
    connect(m_browser, &QTextBrowser::historyChanged, this, &HelpWindow::UpdateButtons);
    connect(new QShortcut(QKeySequence::Back, this), &QShortcut::activated, m_browser, &QTextBrowser::backward);
    connect(new QShortcut(QKeySequence::Forward, this), &QShortcut::activated, m_browser, &QTextBrowser::forward);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    UpdateButtons();
}

void HelpWindow::ShowTopic(const QString& topic)
{
    const QFileInfo page(QDir(m_helpFolder).filePath(topic));
    if (topic.isEmpty() || !page.isFile()) {
        ShowMissingPage(topic);
        return;
    }
    m_browser->setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
}

void HelpWindow::OnLinkClicked(const QUrl& url)
{
    if (!url.isRelative() && !url.isLocalFile()) {
        m_shell.Open(url.toString(), QString());
        return;
    }
    const QUrl target = m_browser->source().resolved(url);
    if (target.isLocalFile() && !QFileInfo(target.toLocalFile()).isFile()) {
        ShowMissingPage(url.path());
        return;
    }
    m_browser->setSource(target);
}

void HelpWindow::ShowMissingPage(const QString& topic)
{
    m_browser->setHtml(tr("<h3>This help page is missing</h3>"
                          "<p>The page <b>%1</b> was not found in the help folder <b>%2</b>.</p>"
                          "<p>The help pages are installed with the program; installing Bellwick again "
                          "brings them back. Everything else in the program works without them.</p>")
                           .arg(topic.toHtmlEscaped(), QDir::toNativeSeparators(m_helpFolder).toHtmlEscaped()));
}

void HelpWindow::UpdateButtons()
{
    m_backButton->setEnabled(m_browser->isBackwardAvailable());
    m_forwardButton->setEnabled(m_browser->isForwardAvailable());
}
