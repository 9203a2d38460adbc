#pragma once

#include "reports/ReportKind.h"

#include <optional>

// Which list of the day view last received a click (or the calendar, a date selection).
enum class ActiveList { None, Calendar, PhoneBook, Tasks, Appointments };

// What the enabling rules look at, gathered by the main window before each idle update.
// What fills the main window below its menus and toolbar (the print preview aside).
enum class MainView { Day, Week, Agenda };

struct CommandContext {
    bool previewing = false;

    bool modified = false;
    bool canUndo = false;
    bool canRedo = false;
    bool hasFileName = false; // a name other than none or "Untitled"
    // A file name, or a file that failed to load: a file whose backups can be offered.
    bool hasBackupSource = false;
    ReportKind reportKind = ReportKind::None;
    ActiveList activeList = ActiveList::None;
    bool personSelected = false;
    bool taskSelected = false;
    bool appointmentSelected = false;
    int persons = 0;
    int tasks = 0;
    int appointments = 0;
    int taskRows = 0;        // rows the day view's task list shows
    int appointmentRows = 0; // rows the day view's appointment list shows
    bool openLastFile = false;
    bool audibleAlarm = false;
    bool confirmDelete = true;
    bool birthdaysShown = true;
    bool toolbarVisible = true;
    bool statusBarVisible = true;
    bool synchronizing = false;
    MainView mainView = MainView::Day;

    // Print preview only.
    bool canPreviousPage = false;
    bool canNextPage = false;
    bool canZoomIn = false;
    bool canZoomOut = false;
};

struct CommandState {
    bool enabled = true;
    bool checked = false;
    bool operator==(const CommandState&) const = default;
};

namespace CommandRules {

// The state a command should show now, or nothing when it keeps the state it has.
std::optional<CommandState> StateOf(int id, const CommandContext& context);
// The state outside print preview, which the preview restricts further.
std::optional<CommandState> NormalStateOf(int id, const CommandContext& context);

} // namespace CommandRules
