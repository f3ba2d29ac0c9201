// memvault-cli show: the built program run as a user would run it.
#include "DataRows.h"
#include "TestContext.h"
#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

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

    // What the program prints and its exit status; "" as the file: none given.
    // --records prints what saving writes; a name without ".450" gets it.
    void runs_data()
    {
        QTest::addColumn<QStringList>("args");  // %1: the file
        QTest::addColumn<QByteArray>("content");  // written to the file first, unless empty
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");  // text standard output holds
        QTest::addColumn<QString>("err");  // text standard error holds
        const QString one = testDataPath("files-one-record.450");
        const QByteArray odd = "MR00107000000+000000100000;\r\nMR00514074000+000000A00000;\r\n";
        const QString table
            = "No.  Frequency  Mode  Shift    Encoding  Tone  Description\n1    %1    LSB   Simplex            67.0\n";
        row("one record", QStringList{one}, QByteArray(), 0, table.arg("7.00000"), QString());
        row("one record, decimal comma", QStringList{"de_DE.UTF-8", one}, QByteArray(), 0, table.arg("7,00000"),
            QString());
        row("records, name without extension", QStringList{"--records", one.chopped(4)}, QByteArray(), 0,
            QString("MW00107000000+000000100000;\n"), QString());
        row("unencodable row shown", QStringList{"%1"}, odd, 0, QString("\n5    14.07400   ??    Simplex"), QString());
        row("unencodable row not recorded", QStringList{"--records", "%1"}, odd, 0,
            QString("MW00107000000+000000100000;\n"),
            QString("Memory 5 would not be saved: the mode '?? ' is not one the radio knows"));
        row("damaged lines", QStringList{testDataPath("files-damaged.450")}, QByteArray(), 0, QString("\n1    7.00000"),
            QString("Loading files-damaged.450 ignored 7 lines that could not be read"));
        row("missing", QStringList{"%1"}, QByteArray(), 1, QString(), QString("does not exist"));
        row("binary", QStringList{"%1"}, QByteArray("MR001\0\0", 7), 1, QString(), QString("binary data"));
        row("no file", QStringList{}, QByteArray(), 2, QString(), QString("usage: memvault-cli show [--records] FILE"));
    }
    void runs()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, content);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir dir;
        const QString path = dir.filePath("x.450");
        if (!content.isEmpty())
            QVERIFY(writeBytes(path, content));
        args.replaceInStrings("%1", path);
        const QString locale = !args.isEmpty() && args[0].contains("UTF-8") ? args.takeFirst() : QString("C");
        const CliRun r = runShow(args, locale);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(out.isEmpty() ? r.out.isEmpty() : r.out.contains(out), qPrintable(r.out));
        QVERIFY2(r.err.contains(err), qPrintable(r.err));
    }
};

QTEST_GUILESS_MAIN(TestCliShow)
#include "tst_cli_show.moc"
