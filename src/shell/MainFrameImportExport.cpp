// The main window's Import and Export commands.
#include "MainFrame.h"

#include "DayView.h"
#include "ImportExportCommands.h"

void MainFrame::OnImportTasks() {
    RunImportExport(RecordType::Tasks, true);
}

void MainFrame::OnImportPhoneBook() {
    RunImportExport(RecordType::Persons, true);
}

void MainFrame::OnImportAppointments() {
    RunImportExport(RecordType::Appointments, true);
}

void MainFrame::OnExportTasks() {
    RunImportExport(RecordType::Tasks, false);
}

void MainFrame::OnExportPhoneBook() {
    RunImportExport(RecordType::Persons, false);
}

void MainFrame::OnExportAppointments() {
    RunImportExport(RecordType::Appointments, false);
}

void MainFrame::RunImportExport(RecordType type, bool importing) {
    ImportExportCommands(m_document, m_prompt, *m_help, m_dayView->Controller(), this).Run(type, importing);
}
