#pragma once

#include "shell/persons/PersonsToIncludeSelection.h"

#include <QDialog>

class QCheckBox;
class QItemSelection;
class QListView;
class QPushButton;

// "Persons To Include": the user picks the persons for the address book or the envelopes. The
// dialog shows a PersonsToIncludeSelection and forwards every click to it; the caller reads the
// chosen persons and the chosen action from that object once exec() returns Accepted.
class PersonsToIncludeDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* HelpTopic = "/html/dlgpraddr.htm>topic";

    PersonsToIncludeDialog(PersonsToIncludeSelection& selection, QWidget* parent = nullptr);

    // The pop-up help number of a control of this dialog, 0 for none, and the text it shows.
    int ContextHelpId(const QWidget* control) const;
    static QString PopupHelpText(int contextId);

Q_SIGNALS:
    void helpTopicRequested(const QString& topic);
    // F1 on a control: its pop-up help is shown beside it.
    void contextHelpRequested(int contextId);

private:
    void onSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void onSelectAll(bool checked);
    void confirm(PersonsToIncludeSelection::Action action);
    void requestContextHelp();
    void updateButtons();

    PersonsToIncludeSelection& m_selection;
    QListView* m_list = nullptr;
    QCheckBox* m_selectAll = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_help = nullptr;
    QPushButton* m_preview = nullptr;
    QPushButton* m_print = nullptr;
};
