#include "ActiveDaysBox.h"

#include "SmallButton.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

ActiveDaysBox::ActiveDaysBox(QWidget* parent) : QGroupBox(tr("Active days"), parent)
{
    setObjectName(QStringLiteral("activeDaysGroupBox"));
    const std::array<std::pair<const char*, QString>, 7> days{{
        {"mondayCheckBox", tr("&Monday")},
        {"tuesdayCheckBox", tr("T&uesday")},
        {"wednesdayCheckBox", tr("&Wednesday")},
        {"thursdayCheckBox", tr("Thu&rsday")},
        {"fridayCheckBox", tr("&Friday")},
        {"saturdayCheckBox", tr("S&aturday")},
        {"sundayCheckBox", tr("&Sunday")},
    }};
    auto* dayColumn = new QVBoxLayout;
    for (std::size_t i = 0; i < days.size(); ++i) {
        m_boxes[i] = new QCheckBox(days[i].second, this);
        m_boxes[i]->setObjectName(QLatin1String(days[i].first));
        dayColumn->addWidget(m_boxes[i]);
    }

    QPushButton* allButton =
        MakeSmallButton(QStringLiteral("selectAllDaysButton"), QStringLiteral("+"), tr("Select All"), this);
    QPushButton* noneButton =
        MakeSmallButton(QStringLiteral("deselectAllDaysButton"), QStringLiteral("-"), tr("Deselect All"), this);
    QPushButton* invertButton =
        MakeSmallButton(QStringLiteral("invertDaysButton"), QStringLiteral("*"), tr("Invert Selection"), this);
    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addWidget(allButton);
    buttonColumn->addWidget(noneButton);
    buttonColumn->addWidget(invertButton);
    buttonColumn->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(dayColumn);
    layout->addSpacing(24);
    layout->addLayout(buttonColumn);
    layout->addStretch();

    connect(allButton, &QPushButton::clicked, this, [this] { SetAll(true); });
    connect(noneButton, &QPushButton::clicked, this, [this] { SetAll(false); });
    connect(invertButton, &QPushButton::clicked, this, &ActiveDaysBox::Invert);
}

QCheckBox* ActiveDaysBox::Box(int day) const
{
    return m_boxes.at(static_cast<std::size_t>(day - 1));
}

bool ActiveDaysBox::IsActive(int day) const
{
    return Box(day)->isChecked();
}

void ActiveDaysBox::SetActive(int day, bool active)
{
    Box(day)->setChecked(active);
}

void ActiveDaysBox::SetAll(bool active)
{
    for (QCheckBox* box : m_boxes) {
        box->setChecked(active);
    }
}

void ActiveDaysBox::Invert()
{
    for (QCheckBox* box : m_boxes) {
        box->setChecked(!box->isChecked());
    }
}
