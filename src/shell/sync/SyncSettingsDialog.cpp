#include "SyncSettingsDialog.h"

#include "shell/HelpTopics.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// A list of collections that starts with the one chosen before (or "the first one found").
QComboBox* collectionList(const QString& name, const QUrl& chosen, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setMinimumContentsLength(30);
    if (chosen.isEmpty())
        list->addItem(QStringLiteral("(the first one found)"), QString());
    else
        list->addItem(chosen.toString(), chosen.toString());
    return list;
}

void fill(QComboBox* list, const QList<davsync::DavCollection>& collections,
          bool (*holds)(const davsync::DavCollection&)) {
    const QString chosen = list->currentData().toString();
    list->clear();
    for (const davsync::DavCollection& collection : collections) {
        if (!holds(collection))
            continue;
        const QString name = collection.displayName.isEmpty() ? collection.url.path() : collection.displayName;
        list->addItem(name, collection.url.toString());
    }
    if (list->count() == 0) {
        list->addItem(QStringLiteral("(none yet: \"Tavoro!\" is made)"), QString());
        return;
    }
    const int index = list->findData(chosen);
    list->setCurrentIndex(index >= 0 ? index : 0);
}

} // namespace

SyncSettingsDialog::SyncSettingsDialog(const SyncSettings& settings, const QString& password, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("syncSettingsDialog"));
    setWindowTitle(QStringLiteral("Synchronization Settings"));
    setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::Synchronization));

    m_server = new QLineEdit(settings.server.toString(), this);
    m_server->setObjectName(QStringLiteral("serverEdit"));
    m_server->setPlaceholderText(QStringLiteral("https://dav.example.org/"));
    m_user = new QLineEdit(settings.user, this);
    m_user->setObjectName(QStringLiteral("userEdit"));
    m_password = new QLineEdit(password, this);
    m_password->setObjectName(QStringLiteral("passwordEdit"));
    m_password->setEchoMode(QLineEdit::Password);
    m_find = new QPushButton(QStringLiteral("&Find Collections"), this);
    m_find->setObjectName(QStringLiteral("findButton"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("findStatus"));
    m_status->setWordWrap(true);
    m_addressBook = collectionList(QStringLiteral("addressBookList"), settings.addressBook, this);
    m_eventCalendar = collectionList(QStringLiteral("eventCalendarList"), settings.eventCalendar, this);
    m_todoCalendar = collectionList(QStringLiteral("todoCalendarList"), settings.todoCalendar, this);
    m_syncOnOpenAndSave = new QCheckBox(QStringLiteral("S&ync on open and on save"), this);
    m_syncOnOpenAndSave->setObjectName(QStringLiteral("syncOnOpenAndSave"));
    m_syncOnOpenAndSave->setChecked(settings.syncOnOpenAndSave);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Server address:"), m_server);
    form->addRow(QStringLiteral("&User name:"), m_user);
    form->addRow(QStringLiteral("&Password:"), m_password);
    // The search's message on a row of its own: beside the button a second line would be cut off.
    auto* findLine = new QHBoxLayout;
    findLine->addWidget(m_find);
    findLine->addStretch(1);
    form->addRow(findLine);
    form->addRow(m_status);
    form->addRow(QStringLiteral("&Address book:"), m_addressBook);
    form->addRow(QStringLiteral("&Events calendar:"), m_eventCalendar);
    form->addRow(QStringLiteral("&To-dos calendar:"), m_todoCalendar);
    form->addRow(m_syncOnOpenAndSave);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &SyncSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_find, &QPushButton::clicked, this, &SyncSettingsDialog::FindCollections);
    connect(&m_discovery, &QFutureWatcher<davsync::Discovery>::finished, this, &SyncSettingsDialog::showCollections);
}

// A search still under way ends on its own (at the account's timeout); nothing waits for it.
SyncSettingsDialog::~SyncSettingsDialog() = default;

// A wrapped message gets the lines it needs: a dialog does not grow for a label's height for its
// width by itself.
void SyncSettingsDialog::showStatus(const QString& text) {
    m_status->setText(text);
    const int width = m_status->width() > 0 ? m_status->width() : m_status->sizeHint().width();
    m_status->setMinimumHeight(m_status->heightForWidth(width));
}

SyncSettings SyncSettingsDialog::Settings() const {
    SyncSettings settings;
    // An address typed without a scheme is taken as an encrypted one.
    QString server = m_server->text().trimmed();
    if (!server.isEmpty() && !server.contains(QLatin1String("://")))
        server.prepend(QLatin1String("https://"));
    settings.server = QUrl(server, QUrl::StrictMode);
    settings.user = m_user->text().trimmed();
    settings.addressBook = QUrl(m_addressBook->currentData().toString());
    settings.eventCalendar = QUrl(m_eventCalendar->currentData().toString());
    settings.todoCalendar = QUrl(m_todoCalendar->currentData().toString());
    settings.syncOnOpenAndSave = m_syncOnOpenAndSave->isChecked();
    return settings;
}

QString SyncSettingsDialog::Password() const {
    return m_password->text();
}

void SyncSettingsDialog::FindCollections() {
    const SyncSettings settings = Settings();
    if (!settings.IsComplete()) {
        showStatus(QStringLiteral("Type the server's address first."));
        m_server->setFocus();
        return;
    }
    if (m_searching || (m_mayUsePlainHttp && !m_mayUsePlainHttp(settings.server)))
        return;
    m_searching = true;
    m_find->setEnabled(false);
    showStatus(QStringLiteral("Looking for calendars and address books..."));
    m_discovery.setFuture(
        QtConcurrent::run([account = settings.Account(Password())] { return davsync::Discover(account); }));
}

void SyncSettingsDialog::showCollections() {
    m_searching = false;
    m_find->setEnabled(true);
    const davsync::Discovery found = m_discovery.result();
    if (!found.Succeeded()) {
        showStatus(found.error);
        return;
    }
    showStatus(QStringLiteral("Calendars found: %1. Address books found: %2.")
                   .arg(found.calendars.size())
                   .arg(found.addressBooks.size()));
    fill(m_addressBook, found.addressBooks, [](const davsync::DavCollection& c) { return c.contacts; });
    fill(m_eventCalendar, found.calendars, [](const davsync::DavCollection& c) { return c.events; });
    fill(m_todoCalendar, found.calendars, [](const davsync::DavCollection& c) { return c.todos; });
}

void SyncSettingsDialog::accept() {
    if (!m_server->text().trimmed().isEmpty() && !Settings().IsComplete()) {
        showStatus(QStringLiteral("That is not a server address."));
        m_server->setFocus();
        return;
    }
    QDialog::accept();
}
