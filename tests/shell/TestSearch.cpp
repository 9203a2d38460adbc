#include "DayRecords.h"
#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "shell/CommandIds.h"
#include "shell/DayListView.h"
#include "shell/DayView.h"
#include "shell/MainFrame.h"
#include "shell/search/SearchPanel.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTreeView>

namespace {

using namespace dayrecords;

// Texts as older files hold them: Windows-1252 bytes, not UTF-8.
const char* const kMuellerCp1252 = "M\xFC"
                                   "ller, J\xFC"
                                   "rgen";
const char* const kCafeCp1252 = "Caf\xE9 order";

struct Window {
    Window() : frame(prompts, QString()) {
        PimDocument& document = frame.Document();
        Person jane = person("Doe, Jane", "Acme");
        jane.HmPhone = "555-1234";
        document.Add(jane);
        document.Add(person(kMuellerCp1252, "", 0, 1)); // yellow pages only
        document.Add(person("Müller, Anna", "Zebra"));
        document.Add(task(kCafeCp1252, today() + DateTimeSpan(3.0)));
        document.Add(appointment("Réunion Acme", 9, 0, today() - DateTimeSpan(10.0)));
        frame.show();
        if (!QTest::qWaitForWindowActive(&frame))
            qWarning("window not active");
        frame.UpdateCommandStates();
    }
    SearchPanel* panel() { return frame.View()->Search(); }
    void find(const QString& text) {
        QTest::keyClick(&frame, Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
    QStringList column(int column) {
        QStringList texts;
        const QAbstractItemModel* model = panel()->Results()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            texts.append(model->index(row, column).data().toString());
        return texts;
    }

    FakePromptService prompts;
    MainFrame frame;
};

} // namespace

class TestSearch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        QSettings().clear();
        platform::Clock::setFixed(platform::LocalTime{2024, 5, 15, 10, 30, 0});
    }
    void cleanup() { platform::Clock::setFixed(std::nullopt); }

    void typingListsMatchesWithKindAndDate_data();
    void typingListsMatchesWithKindAndDate();
    void resultsAreCappedAndNarrowAsTheQueryGrows();
    void enterGoesToTheRecord_data();
    void enterGoesToTheRecord();
    void escClosesAndChangesRefreshTheResults();
};

void TestSearch::typingListsMatchesWithKindAndDate_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("found");
    QTest::addColumn<QStringList>("kinds");
    QTest::addColumn<QStringList>("dates");
    const QString mueller1252 = QString::fromLatin1(kMuellerCp1252);
    QTest::newRow("accents and case, both encodings") << "muller" << QStringList{"Müller, Anna (Zebra)", mueller1252}
                                                      << QStringList{"Person", "Person"} << QStringList{"", ""};
    QTest::newRow("capitals with accent")
        << "MÜLLER J" << QStringList{mueller1252} << QStringList{"Person"} << QStringList{""};
    QTest::newRow("task in Windows-1252")
        << "CAFE" << QStringList{QString::fromLatin1(kCafeCp1252)} << QStringList{"Task"} << QStringList{"5/18/24"};
    QTest::newRow("company and description") << "acme" << QStringList{"Doe, Jane (Acme)", "Réunion Acme"}
                                             << QStringList{"Person", "Appointment"} << QStringList{"", "5/5/24"};
    QTest::newRow("phone by its digits") << "5551234" << QStringList{"Doe, Jane (Acme)"} << QStringList{"Person"}
                                         << QStringList{""};
    QTest::newRow("nothing") << "xyz" << QStringList{"No matches"} << QStringList{""} << QStringList{""};
}

void TestSearch::typingListsMatchesWithKindAndDate() {
    QFETCH(QString, query);
    Window w;
    w.find(query);
    QVERIFY(w.panel()->Field()->hasFocus());
    QFETCH(QStringList, found);
    QFETCH(QStringList, kinds);
    QFETCH(QStringList, dates);
    QCOMPARE(w.column(0), found);
    QCOMPARE(w.column(1), kinds);
    QCOMPARE(w.column(2), dates);
}

void TestSearch::resultsAreCappedAndNarrowAsTheQueryGrows() {
    Window w;
    for (int i = 0; i < 250; ++i)
        w.frame.Document().Add(task(("Report " + std::to_string(i)).c_str(), today()));
    w.find("rep");
    const int shown = static_cast<int>(SearchPanel::kShownHits);
    QCOMPARE(w.column(0).size(), shown + 1);
    QCOMPARE(w.column(0).constLast(), QStringLiteral("and 50 more"));
    // Typed on from "rep": looks only through what "rep" found, and finds what a fresh search does.
    QTest::keyClicks(w.panel()->Field(), "ort 24");
    const QStringList narrowed = w.column(0);
    QCOMPARE(narrowed.size(), 13); // both words: 24, 124, 224 and 240-249
    w.panel()->Field()->clear();
    QTest::keyClicks(w.panel()->Field(), "report 24");
    QCOMPARE(w.column(0), narrowed);
}

void TestSearch::enterGoesToTheRecord_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("yellowPages");
    QTest::newRow("person in the yellow pages only") << "jurgen"
                                                     << "phoneBookList" << QDate(2024, 5, 15) << true;
    QTest::newRow("task on its due date") << "cafe"
                                          << "taskList" << QDate(2024, 5, 18) << false;
    QTest::newRow("appointment on its day") << "reunion"
                                            << "appointmentList" << QDate(2024, 5, 5) << false;
}

void TestSearch::enterGoesToTheRecord() {
    QFETCH(QString, query);
    QFETCH(QString, list);
    Window w;
    w.find(query);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    DayView& view = *w.frame.View();
    auto* listView = view.findChild<DayListView*>(list);
    QVERIFY(listView->hasFocus());
    QCOMPARE(listView->SelectedRow(), 0);
    QTEST(view.Calendar()->selectedDate(), "date");
    QTEST(view.YellowPagesButton()->isChecked(), "yellowPages");
    // The list is the active one: its record commands apply to the record found.
    const int edit = list == "phoneBookList" ? cmd::PersonEdit
                     : list == "taskList"    ? cmd::TaskEdit
                                             : cmd::AppointmentEdit;
    w.frame.UpdateCommandStates();
    QVERIFY(w.frame.Action(edit)->isEnabled());
}

void TestSearch::escClosesAndChangesRefreshTheResults() {
    Window w;
    const int height = w.frame.height();
    w.find("acme");
    QVERIFY(w.frame.height() > height); // the search has room of its own
    QCOMPARE(w.column(0).size(), 2);
    w.frame.Document().Add(task("Call Acme", today()));
    QTRY_COMPARE(w.column(0).size(), 3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(w.panel()->isHidden());
    QCOMPARE(w.frame.height(), height);
    QVERIFY(w.frame.View()->isAncestorOf(QApplication::focusWidget()));
    // Double-click chooses as Enter does.
    w.find("cafe");
    QTreeView* results = w.panel()->Results();
    const QRect cell = results->visualRect(results->model()->index(0, 0));
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(w.frame.View()->Calendar()->selectedDate(), QDate(2024, 5, 18));
}

TAVORO_TEST_MAIN(TestSearch)
#include "TestSearch.moc"
