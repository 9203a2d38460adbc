#include "reports/MiniCalendar.h"

#include "reports/CalendarNames.h"

namespace MiniCalendar {

namespace {

int lineHeight(const platform::TextMetrics& metrics) {
    return metrics.height + metrics.externalLeading;
}

} // namespace

int Width(const platform::TextMetrics& metrics) {
    return 21 * metrics.averageCharWidth;
}

int Height(const platform::TextMetrics& metrics) {
    return 8 * lineHeight(metrics);
}

void Draw(platform::DrawSurface& surface, int x0, int y0, const CalendarMonth& month) {
    const platform::TextMetrics metrics = surface.textMetrics();
    const int charWidth = metrics.averageCharWidth;
    const int colW = 3 * charWidth;
    const int lh = lineHeight(metrics);

    for (int k = 0; k <= 8; ++k) {
        surface.moveTo(x0, y0 + k * lh);
        surface.lineTo(x0 + 7 * colW, y0 + k * lh);
    }
    for (int k = 0; k <= 7; ++k) {
        // The title band has no inner lines.
        surface.moveTo(x0 + k * colW, k == 0 || k == 7 ? y0 : y0 + lh);
        surface.lineTo(x0 + k * colW, y0 + 8 * lh);
    }

    const QString title = CalendarNames::MiniMonth(month.month) + QLatin1Char(' ') + QString::number(month.year);
    surface.textOut(x0 + (7 * colW - surface.textExtent(title).width()) / 2, y0, title);

    for (int k = 0; k < 7; ++k)
        surface.textOut(x0 + k * colW + (colW - charWidth) / 2, y0 + lh, CalendarNames::WeekdayLetter(k));

    int column = month.FirstWeekday();
    int y = y0 + 2 * lh;
    const int days = month.DayCount();
    for (int day = 1; day <= days; ++day) {
        const QString number = QString::number(day);
        surface.textOut(x0 + column * colW + (colW - surface.textExtent(number).width()) / 2, y, number);
        if (++column == 7) {
            column = 0;
            y += lh;
        }
    }
}

} // namespace MiniCalendar
