#pragma once

#include <QObject>

// Switches the tooltips of the whole program on and off: while off, it swallows every tooltip request
// before a widget sees it.
class HintSwitch : public QObject
{
    Q_OBJECT

public:
    explicit HintSwitch(QObject* parent = nullptr);
    ~HintSwitch() override;

    [[nodiscard]] bool IsEnabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_enabled = true;
};
