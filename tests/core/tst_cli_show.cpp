// memvault-cli show: the built program run as a user would run it.
#include "DataRows.h"
#include "TestContext.h"
#include "TestFiles.h"
#include "core/MemorySetFormat.h"
#include "core/NumberText.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace mv;
using namespace mv::test;

namespace {
CliRun runShow(const QStringList &args, const QString &locale = QStringLiteral("C"))
{
    return runCli(QStringList{"show"} + args, localeEnv(locale));
}
}  // namespace

class TestCliShow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(qEnvironmentVariable("MEMVAULT_BIN_DIR") + "/memvault-cli"),
                 "memvault-cli is not built");
    }

    void oneRadioRecord_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("frequency");
        mv::test::row("point", "C", "7.00000");
        mv::test::row("comma", "de_DE.UTF-8", "7,00000");
    }
    void oneRadioRecord()
    {
        QFETCH(QString, locale);
        QFETCH(QString, frequency);
        const CliRun r = runShow({testDataPath("files-one-record.450")}, locale);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, "No.  Frequency  Mode  Shift    Encoding  Tone  Description\n"
                        "1    "
                            + frequency + "    LSB   Simplex            67.0\n");
    }

    // --records prints what saving writes; a name without ".450" gets it.
    void recordsOfOneRadioRecord_data()
    {
        QTest::addColumn<QString>("path");
        const QString full = testDataPath("files-one-record.450");
        mv::test::row("full name", full);
        mv::test::row("without extension", full.chopped(4));
    }
    void recordsOfOneRadioRecord()
    {
        QFETCH(QString, path);
        const CliRun r = runShow({"--records", path});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QString("MW00107000000+000000100000;\n"));
    }

    void sampleSetIsAlignedAndComplete()
    {
        const CliRun r = runShow({testDataPath("sample.450")});
        QCOMPARE(r.exitCode, 0);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + 44 + 4);
        const QString header = lines.first();
        const int freqCol = int(header.indexOf("Frequency"));
        const int toneCol = int(header.indexOf("Tone"));
        const int descCol = int(header.indexOf("Description"));
        for (const QString &line : lines.mid(1)) {
            QVERIFY2(line.at(freqCol - 1) == ' ' && line.at(freqCol).isDigit(), qPrintable(line));
            QVERIFY2(line.mid(toneCol).front().isDigit(), qPrintable(line));
        }
        const QString row28 = lines.at(28);
        QVERIFY2(row28.startsWith("28 "), qPrintable(row28));
        QCOMPARE(row28.mid(descCol), QString("10 m repeater 29.620 out 29.520 in"));
        QVERIFY(lines.last().startsWith("P2U"));

        const CliRun rec = runShow({"--records", testDataPath("sample.450")});
        QCOMPARE(rec.exitCode, 0);
        QCOMPARE(rec.out.toUtf8(), readBytes(testDataPath("sample.450")).replace("\r\n", "\n"));
    }

    void damagedLinesAreReportedOnStderr()
    {
        const CliRun r = runShow({testDataPath("files-damaged.450")});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.err.contains("Loading files-damaged.450 ignored 7 lines that could not be read"), qPrintable(r.err));
        QVERIFY(r.out.contains("\n1    7.00000"));
    }

    void unencodableRowIsShownButNotRecorded()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("odd.450");
        QVERIFY(writeBytes(path, "MR00107000000+000000100000;\r\nMR00514074000+000000A00000;\r\n"));
        const CliRun r = runShow({path});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains("\n5    14.07400   ??    Simplex"));
        const CliRun rec = runShow({"--records", path});
        QCOMPARE(rec.exitCode, 0);
        QCOMPARE(rec.out, QString("MW00107000000+000000100000;\n"));
        QVERIFY2(rec.err.contains("Memory 5 would not be saved: the mode '?? ' is not one the radio knows"),
                 qPrintable(rec.err));
    }

    void unreadableFiles_data()
    {
        QTest::addColumn<QByteArray>("content");  // empty: no file at all
        QTest::addColumn<QString>("reason");
        mv::test::row("missing", QByteArray(), "does not exist");
        mv::test::row("binary", QByteArray("MR001\0\0", 7), "binary data");
    }
    void unreadableFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath("x.450");
        if (!content.isEmpty())
            QVERIFY(writeBytes(path, content));
        const CliRun r = runShow({path});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.contains(reason), qPrintable(r.err));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        mv::test::row("no file", QStringList{});
        mv::test::row("unknown option", QStringList{"--wide", "x.450"});
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        const CliRun r = runShow(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains("usage: memvault-cli show [--records] FILE"));
        QCOMPARE(r.out, QString());
    }
};

QTEST_GUILESS_MAIN(TestCliShow)
#include "tst_cli_show.moc"
