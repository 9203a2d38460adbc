#pragma once

#include "reports/CalendarReport.h"

// A week on two pages: Sunday to Wednesday, then Thursday to Saturday and a box for notes. Each day
// has a ruled box with its appointments on the left and its tasks on the right; the heading shows
// the page's dates and two small month calendars.
class WeeklyPlanReport : public CalendarReport {
public:
    // The week is the one that holds weekStart (normally its Sunday); the records are those due in it.
    WeeklyPlanReport(platform::DrawSurface* dc, const DateTime& weekStart, std::vector<Task> tasks,
                     std::vector<Appointment> appointments);

    void DrawTitle() override;
    void Paginate() override;
    // The four ruled boxes of a page with their headings, below the title.
    virtual void DrawBoxes(int page);

    const DateTime& WeekStart() const { return m_weekStart; }
    const DateTime& WeekEnd() const { return m_weekEnd; }
    // "Mar 2 - 5", or "Mar 30 - Apr 2" when the page's dates run into the next month.
    QString PageTitle(int page) const;
    // The first and last date printed on the page.
    DateTime PageFirstDate(int page) const;
    DateTime PageLastDate(int page) const;

protected:
    bool FitsPage() override;
    void DrawBody(int page) override;

private:
    // The sizes of the page's title and heading calendars, for the paper's width.
    void PlaceHeading();
    bool BoxesFit(int calendarPoints);
    int CalendarGap() const { return m_charWidth; }
    // The size of a box's day number (18 points, less in a low box); its name and "Day N" are
    // 10 and 8 points, or that size where it is less.
    int HeadingPoints(int boxHeight);
    // From a box's top to its first line of entries.
    int EntriesOffset(int boxHeight);
    void DrawBoxHeading(int top, int box, const DateTime& date, int points);
    void DrawWritingLines(int top, int boxHeight);
    void DrawEntries(int page);

    DateTime m_weekStart;
    DateTime m_weekEnd;
    int m_titlePoints = 18;
};
