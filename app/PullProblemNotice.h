#pragma once

#include "GroupProblem.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

class QWidget;
class TrayController;

// Tells the user what a pull of the groups could not do, without holding anything up: the pull
// runs from the tick every minute, and a modal box there would stop the tick and could pile up.
// While the tray icon is shown and the desktop shows its messages, the icon says it; otherwise
// one non-modal box does, and a box still open takes further lines instead of a second box.
class PullProblemNotice : public QObject
{
    Q_OBJECT

public:
    PullProblemNotice(QWidget& window, const TrayController& tray);
    ~PullProblemNotice() override;

    void Tell(const std::vector<GroupProblem>& problems);
    // A failure of the pull as a whole, told like a group's problem.
    void TellText(const QString& text);

    // The open box, if the last notice went to one.
    [[nodiscard]] QMessageBox* Box() const { return m_box.data(); }

private:
    QWidget& m_window;
    const TrayController& m_tray;
    QPointer<QMessageBox> m_box;
};
