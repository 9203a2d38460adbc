// The main window's Import and Export commands.
#include "MainFrame.h"

#include "DayView.h"
#include "ExchangeCommands.h"
#include "ImportExportCommands.h"

#include <QDropEvent>
#include <QMimeData>

void MainFrame::OnImportTasks() {
    RunImportExport(RecordKind::Task, true);
}

void MainFrame::OnImportPhoneBook() {
    RunImportExport(RecordKind::Person, true);
}

void MainFrame::OnImportAppointments() {
    RunImportExport(RecordKind::Appointment, true);
}

void MainFrame::OnExportTasks() {
    RunImportExport(RecordKind::Task, false);
}

void MainFrame::OnExportPhoneBook() {
    RunImportExport(RecordKind::Person, false);
}

void MainFrame::OnExportAppointments() {
    RunImportExport(RecordKind::Appointment, false);
}

void MainFrame::RunImportExport(RecordKind type, bool importing) {
    ImportExportCommands(m_document, m_prompt, *m_help, m_dayView->Controller(), this).Run(type, importing);
}

void MainFrame::OnImportContacts() {
    ExchangeCommands(m_storage, m_prompt).Import(ExchangeCommands::Format::Contacts);
}

void MainFrame::OnImportCalendar() {
    ExchangeCommands(m_storage, m_prompt).Import(ExchangeCommands::Format::Calendar);
}

void MainFrame::OnExportContacts() {
    ExchangeCommands(m_storage, m_prompt).Export(ExchangeCommands::Format::Contacts);
}

void MainFrame::OnExportCalendar() {
    ExchangeCommands(m_storage, m_prompt).Export(ExchangeCommands::Format::Calendar);
}

namespace {
QStringList droppedFiles(const QMimeData* data) {
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        ExchangeCommands::Format format;
        if (url.isLocalFile() && ExchangeCommands::FormatOf(url.toLocalFile(), format))
            paths << url.toLocalFile();
    }
    return paths;
}
} // namespace

void MainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!InPreview() && !droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainFrame::dropEvent(QDropEvent* event) {
    const QStringList paths = droppedFiles(event->mimeData());
    if (InPreview() || paths.isEmpty())
        return;
    event->acceptProposedAction();
    // The question waits until the drag has ended, so that the desktop that started it is free.
    QMetaObject::invokeMethod(
        this, [this, paths] { ExchangeCommands(m_storage, m_prompt).ImportDropped(paths); }, Qt::QueuedConnection);
}
