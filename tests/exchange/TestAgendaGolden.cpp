#include "support/CliProcess.h"
#include "support/TestMain.h"
#include "support/ZoneScope.h"

#include "platform/AtomicFile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

// Each tests/data/exchange/agenda/NAME.WHERE.agenda against what `tavoro-cli agenda` shows of
// NAME.ics imported into an empty document. Its first line gives the computer's zone and the days
// ("# TZ=Europe/Berlin --from 2027-03-01 --to 2027-03-14"), the rest is the expected output.
// TAVORO_UPDATE_GOLDEN=1 writes the expected output anew (read it before committing).
namespace {

struct Case {
    QByteArray zone;
    QStringList days; // --from ... --to ...
    QString ics;
    QString ref;
    QString expected;
};

Case load(const QString& ref) {
    Case c;
    c.ref = ref;
    const QString text = QString::fromStdString(platform::ReadWholeFile(ref).value_or(""));
    const QString header = text.section(QLatin1Char('\n'), 0, 0);
    c.expected = text.section(QLatin1Char('\n'), 1);
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("^# TZ=(\\S+) (.*)$")).match(header);
    c.zone = match.captured(1).toUtf8();
    c.days = match.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QFileInfo info(ref);
    c.ics = info.dir().filePath(info.fileName().section(QLatin1Char('.'), 0, 0) + QStringLiteral(".ics"));
    return c;
}

QByteArray agenda(const QString& doc, const QStringList& days, const char* format = "text") {
    const CliRun run = runCli(QStringList{"agenda", doc} + days + QStringList{"--format", format});
    return run.exitCode == 0 ? run.out : "agenda failed: " + run.err;
}

bool imported(const QString& doc, const QString& ics) {
    return runCli({"import", "ical", doc, ics}).exitCode == 0;
}

// The occurrences of `agenda --format json` as "DATE START-END DESCRIPTION" lines, sorted.
QStringList occurrenceLines(const QByteArray& json) {
    QStringList lines;
    for (const QJsonValue& value :
         QJsonDocument::fromJson(json).object().value(QStringLiteral("appointments")).toArray()) {
        const QJsonObject o = value.toObject();
        const QString time = o.value(QStringLiteral("allDay")).toBool()
                                 ? QStringLiteral("all-day")
                                 : o.value(QStringLiteral("start")).toString() + QLatin1Char('-') +
                                       o.value(QStringLiteral("end")).toString();
        lines << o.value(QStringLiteral("date")).toString() + QLatin1Char(' ') + time + QLatin1Char(' ') +
                     o.value(QStringLiteral("description")).toString();
    }
    lines.sort();
    return lines;
}

} // namespace

class TestAgendaGolden : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void cases_data() {
        QTest::addColumn<QString>("ref");
        const QDir dir(QStringLiteral(TAVORO_TEST_DATA "/exchange/agenda"));
        const QStringList files = dir.entryList({QStringLiteral("*.agenda")}, QDir::Files, QDir::Name);
        QVERIFY(!files.isEmpty());
        for (const QString& file : files)
            QTest::newRow(qPrintable(file)) << dir.filePath(file);
    }

    // The calendar as the agenda shows it; our export imported again shows the same, and so does
    // Python's icalendar reading that export.
    void cases() {
        QFETCH(QString, ref);
        const Case c = load(ref);
        QVERIFY2(!c.zone.isEmpty() && c.days.size() == 4, qPrintable(ref));
        const ZoneScope zone(c.zone);
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        const QString doc = m_dir.filePath(tag + QStringLiteral(".pgr"));
        QVERIFY(imported(doc, c.ics));
        const QString shown = QString::fromUtf8(agenda(doc, c.days));
        if (qEnvironmentVariableIsSet("TAVORO_UPDATE_GOLDEN"))
            QVERIFY(platform::WriteFileAtomically(
                ref, ("# TZ=" + c.zone + " " + c.days.join(QLatin1Char(' ')).toUtf8() + "\n").toStdString() +
                         shown.toStdString()));
        else
            QCOMPARE(shown, c.expected);

        const QString exported = m_dir.filePath(tag + QStringLiteral(".ics"));
        QCOMPARE(runCli({"export", "ical", doc, exported}).exitCode, 0);
        const QString again = m_dir.filePath(tag + QStringLiteral("-again.pgr"));
        QVERIFY(imported(again, exported));
        QCOMPARE(QString::fromUtf8(agenda(again, c.days)), shown);

        QProcess python;
        python.start(QStringLiteral(TAVORO_PYTHON),
                     QStringList{QStringLiteral(TAVORO_ICS_OCCURRENCES), exported} + c.days);
        QVERIFY(python.waitForFinished(60000));
        QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
        QStringList read =
            QString::fromUtf8(python.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        read.sort();
        QCOMPARE(read, occurrenceLines(agenda(doc, c.days, "json")));
    }

private:
    QTemporaryDir m_dir;
};

TAVORO_TEST_MAIN(TestAgendaGolden)
#include "TestAgendaGolden.moc"
