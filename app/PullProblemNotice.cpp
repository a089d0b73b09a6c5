#include "PullProblemNotice.h"

#include "GroupProblemText.h"
#include "ShownText.h"
#include "TrayController.h"

#include <QMessageBox>
#include <QStringList>
#include <QSystemTrayIcon>

PullProblemNotice::PullProblemNotice(QWidget& window, const TrayController& tray) : m_window(window), m_tray(tray) {}

PullProblemNotice::~PullProblemNotice()
{
    // The box belongs to the window; one still open must not outlive the notice that fills it.
    delete m_box.data();
}

void PullProblemNotice::Tell(const std::vector<GroupProblem>& problems)
{
    QStringList lines;
    for (const GroupProblem& problem : problems) {
        lines.push_back(GroupProblemText::ForPull(problem));
    }
    if (!lines.isEmpty()) {
        TellText(lines.join(QLatin1Char('\n')));
    }
}

void PullProblemNotice::TellText(const QString& text)
{
    const QString title = tr("Group messages");
    if (m_tray.IsShown() && QSystemTrayIcon::supportsMessages()) {
        m_tray.Icon()->showMessage(title, WithoutMarkup(text), QSystemTrayIcon::Warning);
        return;
    }
    if (m_box && m_box->isVisible()) {
        m_box->setText(m_box->text() + QLatin1Char('\n') + text);
        return;
    }
    // A box closed but not yet deleted, or hidden with the window into the tray, is replaced.
    delete m_box.data();
    m_box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, &m_window);
    m_box->setObjectName(QStringLiteral("pullProblemMessageBox"));
    // The problems quote group files, whose markup must show as it is.
    m_box->setTextFormat(Qt::PlainText);
    m_box->setWindowModality(Qt::NonModal);
    m_box->setAttribute(Qt::WA_DeleteOnClose);
    m_box->show();
}
