#include "PopUpCascade.h"

#include <algorithm>

QPoint CascadePosition(const QRect& screen, const QSize& size, const std::vector<QPoint>& taken, int step)
{
    step = std::max(step, 1);
    const int room = std::max(std::min(screen.width() - size.width(), screen.height() - size.height()), 0);
    const int places = room / step + 1;
    const QPoint middle = screen.center() - QPoint(size.width() / 2, size.height() / 2);
    const int first = std::clamp(std::min(middle.x() - screen.left(), middle.y() - screen.top()) / step, 0, places - 1);
    const auto at = [&](int place) { return screen.topLeft() + QPoint(place * step, place * step); };

    int best = first;
    long long fewest = -1;
    for (int i = 0; i < places; ++i) {
        const int place = (first + i) % places;
        const auto count = std::count(taken.begin(), taken.end(), at(place));
        if (count == 0) {
            return at(place);
        }
        if (fewest < 0 || count < fewest) {
            fewest = count;
            best = place;
        }
    }
    return at(best);
}
