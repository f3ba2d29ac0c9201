// memvault-cli export-csv / import-csv, run as a separate process under a
// decimal-point and a decimal-comma locale.
#include "DataRows.h"
#include "LocaleCases.h"
#include "MemoryRows.h"
#include "TestFiles.h"
#include "core/MemorySetFormat.h"
#include "core/MemoryTable.h"
#include "core/NumberText.h"

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace mv;
using namespace mv::test;

namespace {
void writeText(const QString &path, const QString &text) { QVERIFY(writeBytes(path, text.toUtf8())); }
}  // namespace

class TestCsvCli : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_lcAll;

    QProcessEnvironment env() const
    {
        QProcessEnvironment e = localeEnv(m_lcAll);
        e.insert("MEMVAULT_CONFIG_DIR", m_dir.filePath("settings"));
        return e;
    }
    // `input`, if given, is written to the command's standard input (a pipe).
    CliRun cli(const QStringList &args, const std::optional<QByteArray> &input = std::nullopt)
    {
        return runCli(args, env(), 60000, input);
    }

    // "number frequency" of every filled memory of the memory set at `path`.
    QStringList filled(const QString &path)
    {
        MemoryTable t;
        QTest::qVerify(readBack(path, t), "readBack", "", __FILE__, __LINE__);
        QStringList got;
        for (int n = 1; n <= MemoryTable::kMemoryCount; ++n)
            if (!t.isEmpty(n))
                got << QString::number(n) + " " + mv::test::cellOf(t, n, MemoryTable::ColFrequency);
        return got;
    }

    // A memory set with memories 3, 7 and 9 (and a PMS row that export leaves out).
    QString makeMemorySet(const QString &name)
    {
        MemoryTable t;
        mv::test::addMemory(t, 3, mark("7.05"), "LSB", "Simplex", "", "67.0", "Forty");
        mv::test::addMemory(t, 7, mark("14.2"), "USB", "Simplex", "", "67.0", QString::fromUtf8("Zwanzig Ü"));
        mv::test::addMemory(t, 9, mark("51.6"), "FM", "Minus", "CTCSS Enc", "88.5", "");
        t.setPms(1, mv::test::memoryOf({mark("7.000000"), "LSB", "Simplex", "", "67.0"}));
        const QString path = m_dir.filePath(name);
        QString error;
        if (!writeMemorySet(path, t, kDefaultDescriptionWidth, &error))
            qWarning() << error;
        return path;
    }

    bool readBack(const QString &path, MemoryTable &t)
    {
        QString error;
        return readMemorySet(path, t, nullptr, &error);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFile::exists(qEnvironmentVariable("MEMVAULT_BIN_DIR") + "/memvault-cli"), "memvault-cli not built");
    }
    void initTestCase_data()
    {
        QTest::addColumn<QString>("lcAll");
        mv::test::row("point", "en_GB.UTF-8");
        mv::test::row("comma", "de_DE.UTF-8");
    }
    void init()
    {
        QFETCH_GLOBAL(QString, lcAll);
        m_lcAll = lcAll;
        QLocale::setDefault(QLocale(lcAll.left(5)));  // for the files the test writes and reads itself
        DetectSeparators();
    }

    // CHIRP's layout is the same under every locale; its options exclude ours.
    void exportChirp()
    {
        const QString set = makeMemorySet("export.450");
        const QString out = m_dir.filePath("chirp.csv");
        QFile::remove(out);
        CliRun r = cli({"export-csv", "--format", "chirp", set, out});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(fileLines(out).size(), 4);  // the header and memories 3, 7 and 9
        r = cli({"export-csv", "--format=chirp", "--tab", "--omit-header", set, out});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains("do not apply to CHIRP's layout"));
        QCOMPARE(cli({"export-csv", "--format", "xml", set, out}).exitCode, 2);
    }

    void importFromPipe()
    {
        // The CSV is read once, so a pipe works: export with kept numbers, then
        // import the text from standard input with imported numbers.
        const QString set = makeMemorySet("trip.450");
        const QString csv = m_dir.filePath("trip.csv");
        QCOMPARE(cli({"export-csv", set, csv, "--keep-numbers"}).exitCode, 0);
        const QString target = m_dir.filePath("trip-target.450");
        QFile::remove(target);
        const CliRun r = cli({"import-csv", "-", target, "--use-numbers"}, readBytes(csv));
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(r.out.trimmed(), QStringLiteral("Import completed"));
        MemoryTable original, copy;
        QVERIFY(readBack(set, original));
        QVERIFY(readBack(target, copy));
        for (int n = 1; n <= MemoryTable::kMemoryCount; ++n)
            QCOMPARE(copy.memory(n), original.memory(n));
        QVERIFY(copy.isPmsEmpty(1));  // PMS rows are not exported
    }

    void partialImport()
    {
        // The memory file is saved with what was loaded, but the command fails
        // and says how many records were not loaded.
        const QStringList errLines{"Cannot find an empty slot to use for importing",
                                   "Record  3. Skipped as there is no empty memory left",
                                   "Import finished. Records loaded = 2, skipped = 1"};
        const QString set = makeMemorySet("partial.450");
        const QString csv = m_dir.filePath("partial.csv");
        const QString s(ListSeparator());
        QString text = "Memory" + s + "RX Freq" + s + "RX Mode\r\n";
        for (const char *rec : {"1|3.7|LSB", "2|3.71|LSB", "3|3.72|LSB"})
            text += mark(QString(rec).replace('|', s)) + "\r\n";
        writeText(csv, text);
        const CliRun r = cli({"import-csv", csv, set, "--start", "499"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(!r.out.contains("Import completed"), qPrintable(r.out));
        const QStringList err = r.err.split('\n');
        for (const QString &line : errLines)
            QVERIFY2(err.contains(line), qPrintable(line + "\n--- stderr:\n" + r.err));
        QVERIFY2(r.err.contains("Import completed, but not every record was loaded.\n" + errLines.last().mid(17)),
                 qPrintable(r.err));
        QCOMPARE(filled(set), QStringList({"3 7.05000", "7 14.20000", "9 51.60000", "499 3.70000", "500 3.71000"})
                                  .replaceInStrings(".", DecimalSeparator()));
    }

    void importFailures()
    {
        const QString set = m_dir.filePath("untouched.450");
        QFile::remove(set);
        CliRun r = cli({"import-csv", m_dir.filePath("missing.csv"), set});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("does not exist"));
        QVERIFY(!QFile::exists(set));
        // A memory file that cannot be saved: no "Import completed".
        const QString good = m_dir.filePath("good.csv");
        writeText(good, "Memory" + QString(ListSeparator()) + "RX Freq\r\n1" + ListSeparator() + mark("3.7") + "\r\n");
        r = cli({"import-csv", good, m_dir.filePath("no/such/folder/x.450")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
        QVERIFY2(r.err.contains("memvault-cli: Cannot save ") && r.err.contains("x.450"), qPrintable(r.err));
        // Errors in the pre-check: nothing imported, and the way on named.
        const QString bad = m_dir.filePath("bad.csv");
        writeText(bad, "Memory" + QString(ListSeparator()) + "RX Freq\r\n1" + ListSeparator() + "99\r\n");
        r = cli({"import-csv", bad, set});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("found the errors above; nothing was imported. Give --force to import it anyway"),
                 qPrintable(r.err));
        QVERIFY(!QFile::exists(set));
        // With --force the records that pass are saved, the rest named; a partial import fails.
        r = cli({"import-csv", bad, set, "--force", "--clear"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("importing anyway, as --force asks") && r.err.contains("Clearing all memories")
                     && r.err.contains("Skipped due to bad RX frequency of 99"),
                 qPrintable(r.err));
        // A description file given as the memory set: nothing to export is a failure.
        const QString csv = m_dir.filePath("from-dsc.csv");
        r = cli({"export-csv", makeMemorySet("dsc.450") + "dsc", csv});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("holds no memory records"), qPrintable(r.err));
        QVERIFY(!QFile::exists(csv));
    }

    void fullDiskKeepsTheOldFiles()
    {
        // A real full disk: a file size limit of one block (SIGXFSZ ignored, so
        // writes beyond it fail with EFBIG as on a full file system).
        const QString set = makeMemorySet("limited.450");
        const QString csv = m_dir.filePath("big.csv");
        QString text = "Memory|RX Freq|RX Mode|Shift|TX Shift/Freq|TX Mode|CTCSS/DCS|Tone/Code|Show|Name|Scan|Group|"
                       "Description\r\n";
        for (int n = 1; n <= 60; ++n)
            text += QString::number(n) + "|" + mark("7.05") + "|LSB||||||||||A description long enough to fill\r\n";
        writeText(csv, text.replace('|', ListSeparator()));
        const QByteArray before = readBytes(set), beforeDsc = readBytes(set + "dsc");
        QProcess p;
        QProcessEnvironment all = QProcessEnvironment::systemEnvironment();
        all.insert(env());
        p.setProcessEnvironment(all);
        p.start("sh", {"-c", "trap '' XFSZ; ulimit -f 1 && exec \"$0\" \"$@\"",
                       qEnvironmentVariable("MEMVAULT_BIN_DIR") + "/memvault-cli", "import-csv", csv, set, "--clear",
                       "--force"});
        QVERIFY(p.waitForFinished(60000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), 1);
        QVERIFY2(!p.readAllStandardOutput().contains("Import completed"), qPrintable(err));
        QVERIFY2(err.contains("File too large"), qPrintable(err));
        QCOMPARE(readBytes(set), before);
        QCOMPARE(readBytes(set + "dsc"), beforeDsc);
    }
};

QTEST_GUILESS_MAIN(TestCsvCli)
#include "tst_csvcli.moc"
