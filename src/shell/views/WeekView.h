#pragma once

#include "core/WeekLayout.h"

#include <QWidget>

class DayView;
class DayViewController;
class QScrollArea;
class WeekBand;
class WeekGrid;

// View > Week: the seven days of the week that holds the day view's date, side by side on a time
// grid, with the all-day and multi-day entries in a band above it.
//
// The keyboard cursor is the day view's date and a quarter-hour slot of it (or the band): the
// calendar follows it, and the record commands run on the occurrence selected here, after the day
// view's appointment list was made to select the same one.
class WeekView : public QWidget {
    Q_OBJECT
public:
    explicit WeekView(DayView& dayView, QWidget* parent = nullptr);
    ~WeekView() override;

    // An entry of the page: a box of the grid, or a bar of the band.
    struct Entry {
        bool band = false;
        int index = -1;
        bool IsValid() const { return index >= 0; }
        bool operator==(const Entry&) const = default;
    };
    // The quarter-hour slot the band stands in for.
    static constexpr int kBandSlot = -1;

    // The page as laid out for the controller's week and the document as it stands.
    const WeekLayout::Plan& Plan();
    // The page as last laid out, for painting and geometry, which never lay it out anew.
    const WeekLayout::Plan& Laid() const { return m_plan; }
    int CursorDay() const;
    int CursorSlot() const { return m_slot; }
    Entry Selected() const { return m_selected; }
    int TodayColumn() const; // -1 when today is not in the week shown
    // The words of an entry, as its box shows them and (with its day and times) a screen reader.
    QString TextOf(const Entry& entry) const;
    QString Announcement(const Entry& entry) const;
    WeekGrid* Grid() const { return m_grid; }
    WeekBand* Band() const { return m_band; }

    // What the mouse and the keys ask for.
    void PlaceCursor(int day, int slot);
    void Select(const Entry& entry);
    void Open(const Entry& entry);
    // Edit > Add on the day at the slot's time.
    void CreateAt(int day, int slot);
    void DeleteSelected();
    // A box dragged to new times: one undo step (of the scope the user chose for a series).
    bool MoveBox(int box, const DateTime& start, const DateTime& end);
    void ShowWeek(int weeks);
    // The record commands of an entry (or of the day, without one) as a popup at `global`.
    void PopupMenu(const Entry& entry, const QPoint& global);
    // Lays the page out again if what it shows changed (the date, the document, the birthdays
    // setting), and repaints it.
    void Refresh();

signals:
    // A key or a double-click asks for a record command, run as the menu item would run it.
    void commandRequested(int id);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    // Ctrl+arrows move the selected box a quarter hour or a day; with Shift, Up and Down its end.
    bool moveByKey(QKeyEvent* event);
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    CalendarDate firstDay();
    bool inPlan(const Entry& entry) const;
    void relayout();
    // Makes the day view's appointment list select what `entry` shows, on its day.
    bool selectInDayView(const Entry& entry);
    std::vector<Entry> entriesInSlot(int day, int slot);
    void cycle(bool forward);
    void announce();
    DayViewController& controller();
    const DayViewController& controller() const;

    DayView& m_dayView;
    WeekBand* m_band = nullptr;
    QScrollArea* m_scroll = nullptr;
    WeekGrid* m_grid = nullptr;
    WeekLayout::Plan m_plan;
    bool m_planned = false;
    int m_plannedGeneration = -1;
    bool m_plannedBirthdays = false;
    int m_slot = 9 * 4;
    Entry m_selected;
    // What the next layout selects: a moved box, on its new day.
    OccurrenceKey m_follow{-1, {}};
    CalendarDate m_followDate;
};
