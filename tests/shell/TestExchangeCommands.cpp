#include "docfile/PimDocument.h"
#include "shell/CommandIds.h"
#include "shell/MainFrame.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"

#include "platform/AtomicFile.h"

#include <QMimeData>
#include <QTemporaryDir>

#include <memory>

using platform::PromptAnswer;

// File > Import and Export of contacts and calendar, and files dropped on the main window.
namespace {

const QString kCards = QStringLiteral(TAVORO_TEST_DATA "/exchange/vcard/v30-desktop.vcf");
const QString kCalendar = QStringLiteral(TAVORO_TEST_DATA "/exchange/ical/todos.ics");

struct Frame {
    Frame() : frame(std::make_unique<MainFrame>(prompts, QString())) { frame->show(); }
    bool enabled(int id) {
        frame->UpdateCommandStates();
        return frame->Action(id)->isEnabled();
    }
    // Drops the files on the window and lets the question that follows come.
    void drop(const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        const QPoint centre = frame->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame.get(), &enter);
        accepted = enter.isAccepted();
        QDropEvent dropped(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame.get(), &dropped);
        QCoreApplication::processEvents();
    }

    FakePromptService prompts;
    std::unique_ptr<MainFrame> frame;
    bool accepted = false;
};

} // namespace

class TestExchangeCommands : public QObject {
    Q_OBJECT

private slots:
    void importThenExport() {
        Frame f;
        QVERIFY(f.enabled(cmd::ImportContacts));
        QVERIFY(!f.enabled(cmd::ExportContacts));
        QVERIFY(!f.enabled(cmd::ExportCalendar));

        f.prompts.queueFileName(kCards);
        QVERIFY(f.frame->Route(cmd::ImportContacts));
        QCOMPARE(f.prompts.dialogs.last().request.filters.first(), QStringLiteral("vCard Files (*.vcf)"));
        QCOMPARE(f.frame->Document().Persons().Count(), size_t(2));
        QCOMPARE(f.prompts.messages.last().caption, QStringLiteral("Contacts (vCard)"));
        QVERIFY(f.prompts.messages.last().text.startsWith(QStringLiteral("2 persons added\n")));
        QVERIFY(f.frame->Document().IsModified());
        QVERIFY(f.enabled(cmd::ExportContacts));

        f.prompts.queueFileName(kCalendar);
        QVERIFY(f.frame->Route(cmd::ImportCalendar));
        QCOMPARE(f.frame->Document().Tasks().Count(), size_t(8));
        QVERIFY(f.enabled(cmd::ExportCalendar));

        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out.ics"));
        f.prompts.queueFileName(out);
        QVERIFY(f.frame->Route(cmd::ExportCalendar));
        QCOMPARE(f.prompts.dialogs.last().request.initialName, QStringLiteral("Untitled.ics"));
        QCOMPARE(f.prompts.messages.last().text, QStringLiteral("8 appointments and tasks written to %1").arg(out));
        QVERIFY(platform::ReadWholeFile(out)->find("BEGIN:VTODO") != std::string::npos);
    }

    void cancelledDialogChangesNothing() {
        Frame f;
        f.prompts.queueFileName(std::nullopt);
        QVERIFY(f.frame->Route(cmd::ImportCalendar));
        QVERIFY(f.prompts.messages.isEmpty());
        QVERIFY(!f.frame->Document().IsModified());
    }

    void dropAsksFirst_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("persons");
        QTest::newRow("yes") << QStringList{kCards} << static_cast<int>(PromptAnswer::Yes) << true << 2;
        QTest::newRow("no") << QStringList{kCards} << static_cast<int>(PromptAnswer::No) << true << 0;
        QTest::newRow("not ours") << QStringList{QStringLiteral(TAVORO_TEST_DATA "/textio/csv_persons.csv")}
                                  << static_cast<int>(PromptAnswer::Yes) << false << 0;
    }
    void dropAsksFirst() {
        QFETCH(QStringList, files);
        QFETCH(int, answer);
        QFETCH(bool, accepted);
        QFETCH(int, persons);
        Frame f;
        f.prompts.queueAnswer(static_cast<PromptAnswer>(answer));
        f.drop(files);
        QCOMPARE(f.accepted, accepted);
        QCOMPARE(static_cast<int>(f.frame->Document().Persons().Count()), persons);
        if (accepted)
            QCOMPARE(f.prompts.messages.first().text, QStringLiteral("Import the contacts in v30-desktop.vcf?"));
        else
            QVERIFY(f.prompts.messages.isEmpty());
    }
};

TAVORO_TEST_MAIN(TestExchangeCommands)
#include "TestExchangeCommands.moc"
