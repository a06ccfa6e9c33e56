#include "gui/app/windowplacement.h"

#include <algorithm>

namespace radexa {

QPoint KeepTitleOnScreen(QPoint topLeft, QSize frame, const QList<QRect>& available) {
    if (available.isEmpty())
        return topLeft;
    const QRect title(topLeft, QSize(frame.width(), kTitleAreaHeight));
    const int enough = std::min(100, frame.width());
    for (const QRect& screen : available) {
        const QRect seen = title & screen;
        if (seen.width() >= enough && seen.height() == kTitleAreaHeight)
            return topLeft;
    }
    const QRect& screen = available.front();
    const int x = std::clamp(topLeft.x(), screen.left(),
                             std::max(screen.left(), screen.right() + 1 - frame.width()));
    const int y = std::clamp(topLeft.y(), screen.top(),
                             std::max(screen.top(), screen.bottom() + 1 - kTitleAreaHeight));
    return {x, y};
}

} // namespace radexa
