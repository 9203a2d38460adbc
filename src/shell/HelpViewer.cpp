#include "HelpViewer.h"

#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWidget>

HelpViewer::HelpViewer(const QString& helpFolder, QWidget* owner) : m_folder(helpFolder), m_owner(owner) {
    // Looked at once: a missing folder stays missing for the whole run.
    m_folderMissing = !QFileInfo(m_folder).isDir();
}

HelpViewer::~HelpViewer() {
    delete m_window;
}

QString HelpViewer::PageFor(const QString& topic) const {
    if (m_folderMissing)
        return {};
    QString path = topic;
    const qsizetype separator = path.indexOf(QLatin1String("::"));
    if (separator >= 0)
        path = path.mid(separator + 2);
    const qsizetype window = path.indexOf(QLatin1Char('>'));
    if (window >= 0)
        path.truncate(window);
    path = QDir::cleanPath(path);
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    // Topics name pages inside the help folder, never outside it.
    if (path.isEmpty() || path.startsWith(QLatin1String("..")))
        return {};
    const QString file = QDir(m_folder).filePath(path);
    return QFileInfo(file).isFile() ? file : QString();
}

bool HelpViewer::ShowTopic(const QString& topic) {
    const QString page = PageFor(topic);
    if (page.isEmpty())
        return false;
    if (!m_window) {
        m_window = new QWidget(m_owner, Qt::Window);
        m_window->setObjectName(QStringLiteral("helpWindow"));
        m_window->setWindowTitle(QStringLiteral("Tavoro! Help"));
        m_window->resize(560, 480);
        m_browser = new QTextBrowser(m_window);
        m_browser->setOpenExternalLinks(true);
        auto* bar = new QToolBar(m_window);
        QAction* back = bar->addAction(QStringLiteral("Back"), m_browser, &QTextBrowser::backward);
        QObject::connect(m_browser.data(), &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
        back->setEnabled(false);
        const QString contents = QDir(m_folder).filePath(QStringLiteral("html/Introduction.htm"));
        bar->addAction(QStringLiteral("Contents"), m_browser,
                       [browser = m_browser, contents] { browser->setSource(QUrl::fromLocalFile(contents)); });
        // Esc and Ctrl+W close the help as they close every other window of the program.
        for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
            auto* shortcut = new QShortcut(keys, m_window);
            QObject::connect(shortcut, &QShortcut::activated, m_window.data(), &QWidget::close);
        }
        auto* layout = new QVBoxLayout(m_window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(bar);
        layout->addWidget(m_browser);
    }
    m_browser->setSource(QUrl::fromLocalFile(page));
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return true;
}
