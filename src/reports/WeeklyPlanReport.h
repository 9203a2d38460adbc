#pragma once

#include "reports/CalendarReport.h"

// A week on two pages: Sunday to Wednesday, then Thursday to Saturday and a box for notes. Each day
// has a ruled box with its appointments on the left and its tasks on the right; the heading shows
// the page's dates and two small month calendars.
class WeeklyPlanReport : public CalendarReport {
public:
    // The week is the one that holds weekStart (normally its Sunday); the records are those due in it.
    WeeklyPlanReport(platform::DrawSurface* layout, const DateTime& weekStart, std::vector<Task> tasks,
                     std::vector<Appointment> appointments, const std::vector<BirthdayNote>& birthdays = {});

    const DateTime& WeekStart() const { return m_weekStart; }
    const DateTime& WeekEnd() const { return m_weekEnd; }
    // "Mar 2 - 5", or "Mar 30 - Apr 2" when the page's dates run into the next month.
    QString PageTitle(int page) const;
    // The first and last date printed on the page.
    DateTime PageFirstDate(int page) const;
    DateTime PageLastDate(int page) const;

private:
    // The sizes of a page's title and heading calendars.
    struct Heading {
        int titlePoints = 0;
        int calendarPoints = 0;
    };

    int Paginate() override;
    void DrawTitle(platform::DrawSurface& dc, int page) override;
    bool FitsPage() override;
    void DrawBody(platform::DrawSurface& dc, int page) override;

    // The sizes of the page's title and heading calendars, for the paper's width.
    Heading PlaceHeading(int page);
    bool BoxesFit(int calendarPoints);
    int CalendarGap() const { return CharWidth(); }
    // The size of a box's day number (18 points, less in a low box); its name and "Day N" are
    // 10 and 8 points, or that size where it is less.
    int HeadingPoints(int boxHeight);
    // From a box's top to its first line of entries.
    int EntriesOffset(int boxHeight);
    // The four ruled boxes of a page with their headings, from top down.
    void DrawBoxes(platform::DrawSurface& dc, int page, int top);
    void DrawBoxHeading(platform::DrawSurface& dc, int top, int box, const DateTime& date, int points);
    void DrawWritingLines(platform::DrawSurface& dc, int top, int boxHeight);
    // The page's entries in the boxes ruled from bodyTop down.
    void DrawEntries(platform::DrawSurface& dc, int page, int bodyTop);

    DateTime m_weekStart;
    DateTime m_weekEnd;
};
