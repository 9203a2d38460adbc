#include "docfile/RecentFileList.h"
#include "platform/SettingsStore.h"
#include "shell/CommandIds.h"
#include "shell/RecentFilesMenu.h"
#include "support/TestMain.h"

#include <QAction>
#include <QMenu>
#include <QSettings>

namespace {

// The popup's items: text and command of each (the recent-file commands counted from the first,
// "R1" for the top one), and whether it is grayed.
QStringList menuItems(const QMenu& menu) {
    QStringList items;
    for (const QAction* action : menu.actions()) {
        const int command = action->data().toInt();
        items << QStringLiteral("%1=%2%3")
                     .arg(action->text(), cmd::isRecentFile(command)
                                              ? QStringLiteral("R%1").arg(command - cmd::RecentFileFirst + 1)
                                              : QString::number(command))
                     .arg(action->isEnabled() ? QString() : QStringLiteral(" (gray)"));
    }
    return items;
}

} // namespace

class TestRecentFilesMenu : public QObject {
    Q_OBJECT

private slots:
    void init() { QSettings().clear(); }

    // The popup follows the list: newest first where the placeholder stood, the placeholder back
    // once the list is empty.
    void popupShowsEntriesNewestFirst() {
        QMenu menu;
        menu.addAction(QStringLiteral("Before"))->setData(100);
        QAction* placeholder = menu.addAction(QStringLiteral("(Empty)"));
        placeholder->setData(cmd::RecentFileFirst);
        placeholder->setEnabled(false);
        menu.addAction(QStringLiteral("After"))->setData(200);

        RecentFileList list;
        RecentFilesMenu popup(list, &menu);
        list.Add(QStringLiteral("/home/ann/a.pgr"));
        list.Add(QStringLiteral("/home/ann/b & c.pgr"));
        QCOMPARE(menuItems(menu),
                 (QStringList{"Before=100", "&1 /home/ann/b && c.pgr=R1", "&2 /home/ann/a.pgr=R2", "After=200"}));
        QCOMPARE(menu.actions().at(1)->statusTip(), QStringLiteral("Open this document"));

        list.RemoveAt(1);
        list.RemoveAt(0);
        QCOMPARE(menuItems(menu), (QStringList{"Before=100", "(Empty)=R1 (gray)", "After=200"}));
    }

    void popupWithoutPlaceholderAppends() {
        QMenu menu;
        RecentFileList list;
        RecentFilesMenu popup(list, &menu);
        QCOMPARE(menuItems(menu), QStringList{"(Empty)=R1 (gray)"});
        list.Add(QStringLiteral("/x.pgr"));
        QCOMPARE(menuItems(menu), QStringList{"&1 /x.pgr=R1"});

        // A list read back from the settings shows at once.
        {
            QSettings settings;
            settings.setValue(QStringLiteral("Recent Document List/DocumentCount"), 4);
            settings.setValue(QStringLiteral("Recent Document List/Document1"), QStringLiteral("/n1"));
            settings.setValue(QStringLiteral("Recent Document List/Document2"), QStringLiteral("/n2"));
        }
        platform::SettingsStore store;
        list.ReadFrom(store);
        QCOMPARE(menuItems(menu), (QStringList{"&1 /n1=R1", "&2 /n2=R2"}));
    }

    // The n-th item opens the n-th newest entry; other numbers are no recent-file commands.
    void positionOfACommand_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("position"); // 0: none
        QTest::newRow("top item") << int(cmd::RecentFileFirst) << 1;
        QTest::newRow("fourth") << cmd::RecentFileFirst + 3 << 4;
        QTest::newRow("sixteenth") << int(cmd::RecentFileLast) << 16;
        QTest::newRow("below") << cmd::RecentFileFirst - 1 << 0;
        QTest::newRow("above") << cmd::RecentFileLast + 1 << 0;
    }
    void positionOfACommand() {
        QFETCH(int, command);
        QFETCH(int, position);
        QCOMPARE(RecentFilesMenu::PositionOf(command).value_or(0), position);
    }
};

TAVORO_TEST_MAIN(TestRecentFilesMenu)
#include "TestRecentFilesMenu.moc"
