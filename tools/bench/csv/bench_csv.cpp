// How long the CSV import of a 500-record file into an empty table and the
// export of a full table take, dialogs excluded (they answer at once here).
// Each is reported against a floor measured in the same run: for import,
// reading, decoding and splitting the same file; for export, writing the same
// bytes with a plain QFile.
#include "TestContext.h"
#include "core/NumberText.h"
#include "core/RadioTables.h"
#include "csv/CsvExport.h"
#include "csv/CsvFormat.h"
#include "csv/CsvImport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QtTest>
#include <functional>

using namespace mv;
using mv::test::TestContext;

namespace {
const Mode kModes[] = {Mode::LSB, Mode::USB, Mode::CW, Mode::FM, Mode::AM, Mode::FMN};
const Shift kShifts[] = {Shift::Simplex, Shift::Plus, Shift::Minus};

// Memory i of a full table: distinct frequencies across 1.8 to 54 MHz.
void fillFull(MemoryTable &t)
{
    MemoryTable::Batch batch(t);
    for (int n = 1; n <= MemoryTable::kMemoryCount; ++n) {
        const qint32 units = 180000 + n * 10437;
        Memory m;
        m.mode = kModes[n % 6];
        m.shift = kShifts[n % 3];
        m.encoding = n % 4 == 0 ? Encoding::Enc : Encoding::Off;
        m.tone = qint8(n % kToneCount);
        m.description = QStringLiteral("Memory number %1, a description").arg(n);
        t.AddMemory(n, FormatScaled(units, 5, QStringLiteral("##0.00000")), m, nullptr, nullptr);
    }
}

double millisecondsPerRun(int runs, const std::function<void()> &f)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < runs; ++i)
        f();
    return double(timer.nsecsElapsed()) / 1e6 / runs;
}
}  // namespace

class BenchCsv : public QObject {
    Q_OBJECT
    TestContext m_source;
    QString m_importFile;

    TestContext m_target;

    void importOnce()
    {
        TestContext &c = m_target;
        c.state.table.ClearAllMemories();
        c.dialogs.clear();
        c.dialogs.files.enqueue({false, m_importFile});
        const CsvImportResult r = ImportCsv(c.ctx, {});
        if (r.added != MemoryTable::kMemoryCount)
            qFatal("import added %d memories", r.added);
    }
    void exportOnce(const QString &path)
    {
        CsvExportOptions o;
        o.path = path;
        ExportCsv(m_source.ctx, o);
    }
    QByteArray exportBytes()
    {
        QByteArray bytes;
        for (const QString &line : CsvExportRecords(m_source.state.table, {}))
            bytes += line.toUtf8() + "\r\n";
        return bytes;
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        DetectSeparators();
        fillFull(m_source.state.table);
        m_importFile = m_source.dir.filePath("bench.CSV");
        CsvExportOptions o;
        o.path = m_importFile;
        QCOMPARE(ExportCsv(m_source.ctx, o).outcome, CsvExportOutcome::Written);
    }

    void importFloor()
    {
        QBENCHMARK { QCOMPARE(ReadCsvFile(m_importFile).lines.size(), MemoryTable::kMemoryCount + 1); }
    }
    void import500()
    {
        QBENCHMARK { importOnce(); }
    }

    void exportFloor()
    {
        const QByteArray bytes = exportBytes();
        const QString path = m_source.dir.filePath("floor.CSV");
        QBENCHMARK
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
    }
    void exportFull()
    {
        const QString path = m_source.dir.filePath("full.CSV");
        QBENCHMARK { exportOnce(path); }
    }

    // One line per operation: time per run, the floor and their ratio.
    void summary()
    {
        const int runs = 20;
        const QByteArray bytes = exportBytes();
        const QString floorPath = m_source.dir.filePath("floor.CSV");
        const QString fullPath = m_source.dir.filePath("full.CSV");
        const double readFloor = millisecondsPerRun(runs, [&] { ReadCsvFile(m_importFile); });
        const double import = millisecondsPerRun(runs, [&] { importOnce(); });
        const double writeFloor = millisecondsPerRun(runs, [&] {
            QFile f(floorPath);
            if (f.open(QIODevice::WriteOnly))
                f.write(bytes);
        });
        const double exportTime = millisecondsPerRun(runs, [&] { exportOnce(fullPath); });
        qInfo("import of 500 records: %.2f ms (floor: read and split %.2f ms, ratio %.1f)", import, readFloor,
              import / readFloor);
        qInfo("export of a full table: %.2f ms (floor: write the bytes %.2f ms, ratio %.1f)", exportTime, writeFloor,
              exportTime / writeFloor);
    }
};

QTEST_GUILESS_MAIN(BenchCsv)
#include "bench_csv.moc"
