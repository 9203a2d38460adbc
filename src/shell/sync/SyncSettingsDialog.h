#pragma once

#include "SyncSettings.h"

#include "sync/Discovery.h"

#include <QDialog>
#include <QFutureWatcher>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Edit > Options > Synchronization Settings...: the server, the user and password, the address
// book and calendars to use (found on the server by "Find Collections", off the GUI thread) and
// whether to synchronise on open and on save.
class SyncSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Asked before a password would go to the server over plain HTTP; false stops the search.
    using PlainHttpCheck = std::function<bool(const QUrl& server)>;

    SyncSettingsDialog(const SyncSettings& settings, const QString& password, QWidget* parent = nullptr);
    ~SyncSettingsDialog() override;

    void SetPlainHttpCheck(PlainHttpCheck check) { m_mayUsePlainHttp = std::move(check); }
    SyncSettings Settings() const;
    QString Password() const;
    // Looks for the account's calendars and address books; the lists fill when the server answers.
    void FindCollections();
    bool IsSearching() const { return m_searching; }

private:
    void showStatus(const QString& text);
    void showCollections();
    void accept() override;

    PlainHttpCheck m_mayUsePlainHttp;
    QLineEdit* m_server = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    QPushButton* m_find = nullptr;
    QLabel* m_status = nullptr;
    QComboBox* m_addressBook = nullptr;
    QComboBox* m_eventCalendar = nullptr;
    QComboBox* m_todoCalendar = nullptr;
    QCheckBox* m_syncOnOpenAndSave = nullptr;
    QFutureWatcher<davsync::Discovery> m_discovery;
    bool m_searching = false; // until the lists show the answer
};
