#include "AutostartOption.h"

#include "Autostart.h"

#include <utility>

AutostartOption::AutostartOption(Autostart& autostart, QString program)
    : m_autostart(autostart), m_program(std::move(program))
{}

void AutostartOption::Apply(bool on)
{
    if (on) {
        m_autostart.Enable(m_program);
    } else {
        m_autostart.Disable();
    }
}

void AutostartOption::Repair(bool on)
{
    if (on && !m_autostart.StartsProgram(m_program)) {
        m_autostart.Enable(m_program);
    }
}
