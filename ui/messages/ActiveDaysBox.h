#pragma once

#include <QGroupBox>

#include <array>

class QCheckBox;

// "Active days" of the message editor: a box for each weekday, Monday to Sunday, and the buttons
// "+" (all), "-" (none) and "*" (turn each around). Days are numbered as in ISO 8601 and in a
// message's day flags: 1 Monday ... 7 Sunday.
class ActiveDaysBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit ActiveDaysBox(QWidget* parent = nullptr);

    [[nodiscard]] bool IsActive(int day) const;
    void SetActive(int day, bool active);
    void SetAll(bool active);
    void Invert();

private:
    [[nodiscard]] QCheckBox* Box(int day) const;

    std::array<QCheckBox*, 7> m_boxes{};
};
