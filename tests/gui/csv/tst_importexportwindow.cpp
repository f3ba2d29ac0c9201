// The Import/Export window: the start-number box, the export of picked rows,
// the saved position, and export and import run from its buttons (with the
// undo snapshot "Import").
#include "MemoryRows.h"
#include "TestContext.h"
#include "TestFiles.h"
#include "core/NumberText.h"
#include "editing/UndoSnapshot.h"
#include "ui/ImportExportDialog.h"
#include "ui/UiMetrics.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

using namespace mv;
using mv::test::TestContext;

namespace {
// Hands the window the rows a test says are picked (the main window's picking: tst_mainwindow).
class FakePicker : public RowPicker {
public:
    void setRowPickingMode(bool) override { }
    QList<int> pickedRows() const override { return picked; }
    QList<int> picked;
};

template <typename T> T *child(QWidget *w, const char *name) { return w->findChild<T *>(QLatin1String(name)); }
void click(QWidget *w, const char *name) { child<QAbstractButton>(w, name)->click(); }
}  // namespace

class TestImportExportWindow : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        DetectSeparators();
    }

    void previewExportOfPickedRows()
    {
        TestContext c;
        mv::test::addMemory(c.state.table, 2, "7.05", "LSB", "", "", "", "two");
        mv::test::addMemory(c.state.table, 5, "14.2", "USB", "", "", "", "five");
        FakePicker picker;
        picker.picked = {5};
        ImportExportDialog w(c.ctx, nullptr, &picker);
        w.show();
        for (const char *name : {"chkExportSelected", "chkKeepNumbers", "optTabChar_0", "cmdPreviewExport"})
            click(&w, name);
        const QStringList lines = c.log.text().split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith("Memory\tRX Freq\t"));
        QCOMPARE(lines[1], QStringLiteral("5\t14.20000\tUSB\tSimplex\t\t\t \t67.0\t\t\t\t\tfive"));
        QVERIFY(c.dialogs.boxes.isEmpty());
    }

    void exportToFile_data()
    {
        QTest::addColumn<bool>("chirp");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("own layout, no header") << false << QByteArray("1,7.05000,LSB,Simplex,,, ,67.0,,,,,\r\n");
        QTest::newRow("CHIRP") << true
                               << QByteArray("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                                             "DtcsPolarity,Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
                                             "9,,7.050000,,0.000000,,67.0,67.0,023,NN,LSB,5.00,,,,,,\r\n");
    }
    void exportToFile()
    {
        QFETCH(bool, chirp);
        TestContext c;
        mv::test::addMemory(c.state.table, 9, "7.05", "LSB", "", "", "", "");
        ImportExportDialog w(c.ctx, nullptr, nullptr);
        w.show();
        click(&w, "chkOmitHeader");
        if (chirp) {
            auto *layout = child<QComboBox>(&w, "cboExportLayout");
            layout->setFocus();
            QTest::keyClick(layout, Qt::Key_Down);
            // CHIRP's layout fixes what these choose.
            for (const char *name : {"optTabChar_0", "optTabChar_1", "chkKeepNumbers", "chkOmitHeader"})
                QVERIFY(!child<QWidget>(&w, name)->isEnabled());
        }
        const QString path = c.dir.filePath("out");
        c.dialogs.files.enqueue({false, path});
        click(&w, "cmdExport");
        QCOMPARE(c.dialogs.texts(), QStringList{"Export completed"});
        QTEST(mv::test::readBytes(path + ".CSV"), "bytes");
    }

    void importWithUndo()
    {
        TestContext c;
        mv::test::addMemory(c.state.table, 1, "3.6", "LSB", "", "", "", "");
        UndoSnapshot undo;
        ImportExportDialog w(c.ctx, &undo, nullptr);
        w.show();
        // The start box is off while imported numbers are used.
        auto *box = child<QLineEdit>(&w, "txtStartMemory");
        click(&w, "chkUseMemoryNumbers");
        QVERIFY(!box->isEnabled());
        click(&w, "chkUseMemoryNumbers");
        QVERIFY(box->isEnabled());
        // A start number out of range is refused and left as typed.
        box->setText("600");
        click(&w, "cmdPreviewImport");
        QCOMPARE(box->text(), QStringLiteral("600"));
        QCOMPARE(c.dialogs.texts(), QStringList{"The start memory number must be a number from 1 to 500"});
        QVERIFY(c.dialogs.fileRequests.isEmpty());
        c.dialogs.clear();
        const QString path = c.dir.filePath("in.CSV");
        QVERIFY(mv::test::writeBytes(path, "Memory,RX Freq,RX Mode\r\n1,7.05,LSB\r\n2,14.2,USB\r\n"));
        box->clear();
        c.dialogs.files.enqueue({false, path});
        click(&w, "cmdImport");
        QCOMPARE(box->text(), QStringLiteral("1"));
        QCOMPARE(c.dialogs.texts(), QStringList{"Import completed"});
        QCOMPARE(c.state.table.usedMemoryCount(), 3);
        QVERIFY(c.state.MemoriesChanged);
        QCOMPARE(undo.name(), QStringLiteral("Import"));
        QVERIFY(undo.restore(c.ctx));
        QCOMPARE(c.state.table.usedMemoryCount(), 1);
    }

    void savedPosition()
    {
        TestContext c;
        {
            ImportExportDialog w(c.ctx, nullptr, nullptr);
            w.show();
            w.move(120, 75);
            QTRY_COMPARE(w.pos(), QPoint(120, 75));
            click(&w, "cmdSetPosition");
        }
        const QWidget probe;
        QCOMPARE(c.settings->get<Setting::ImportExportLeft>(), PixelsToTwipsX(&probe, 120));
        ImportExportDialog again(c.ctx, nullptr, nullptr);
        again.show();
        QTRY_COMPARE(again.pos(), QPoint(120, 75));
    }
};

QTEST_MAIN(TestImportExportWindow)
#include "tst_importexportwindow.moc"
