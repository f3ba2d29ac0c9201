// The Import/Export window: its controls, the start-number box, the export of
// picked rows, the saved position, and export and import run from its buttons
// (with the undo snapshot "Import").
#include "MemoryRows.h"
#include "TestContext.h"
#include "TestFiles.h"
#include "core/NumberText.h"
#include "editing/UndoSnapshot.h"
#include "ui/ImportExportDialog.h"
#include "ui/UiMetrics.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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

template <typename T> T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QLatin1String(name));
    if (!c)
        qWarning("no control %s", name);
    return c;
}
}  // namespace

class TestImportExportWindow : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        DetectSeparators();
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const std::pair<const char *, const char *> controls[] = {
            {"chkExportSelected", "Export only selected mems"},
            {"optTabChar_0", "Tab"},
            {"optTabChar_1", "Comma"},
            {"chkKeepNumbers", "Keep existing mem numbers"},
            {"chkOmitHeader", "Omit header"},
            {"cmdExport", "Export CSV"},
            {"cmdPreviewExport", "Preview Export"},
            {"chkUseMemoryNumbers", "Use imported mem numbers"},
            {"chkClearBeforeImport", "Clear all before import"},
            {"chkDuplicates", "Omit duplicate frequencies"},
            {"cmdImport", "Import CSV"},
            {"cmdPreviewImport", "Preview Import"},
            {"cmdSetPosition", "&Save size and position"},
            {"cmdClose", "Close"},
        };
        for (const auto &[name, caption] : controls)
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption);
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        TestContext c;
        ImportExportDialog w(c.ctx, nullptr, nullptr);
        QCOMPARE(w.objectName(), QStringLiteral("frmImportExport"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Import/Export"));
        QVERIFY(!w.isModal());
        auto *b = w.findChild<QAbstractButton *>(name);
        QVERIFY2(b, qPrintable(name));
        QCOMPARE(b->text(), caption);
        QCOMPARE(child<QLabel>(&w, "lblStartMemory")->text(), QStringLiteral("Start at mem number"));
        QVERIFY(child<QLineEdit>(&w, "txtStartMemory"));
        QVERIFY(child<QRadioButton>(&w, "optTabChar_1")->isChecked());
    }

    void startBoxFollowsUseNumbers()
    {
        TestContext c;
        ImportExportDialog w(c.ctx, nullptr, nullptr);
        w.show();
        auto *box = child<QLineEdit>(&w, "txtStartMemory");
        auto *use = child<QCheckBox>(&w, "chkUseMemoryNumbers");
        QVERIFY(box->isEnabled());
        use->click();
        QVERIFY(!box->isEnabled());
        use->click();
        QVERIFY(box->isEnabled());
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
        child<QCheckBox>(&w, "chkExportSelected")->click();
        child<QCheckBox>(&w, "chkKeepNumbers")->click();
        child<QRadioButton>(&w, "optTabChar_0")->click();
        child<QPushButton>(&w, "cmdPreviewExport")->click();
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
        child<QCheckBox>(&w, "chkOmitHeader")->click();
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
        child<QPushButton>(&w, "cmdExport")->click();
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
        const QString path = c.dir.filePath("in.CSV");
        QVERIFY(mv::test::writeBytes(path, "Memory,RX Freq,RX Mode\r\n1,7.05,LSB\r\n2,14.2,USB\r\n"));
        auto *box = child<QLineEdit>(&w, "txtStartMemory");
        box->clear();
        c.dialogs.files.enqueue({false, path});
        child<QPushButton>(&w, "cmdImport")->click();
        QCOMPARE(box->text(), QStringLiteral("1"));
        QCOMPARE(c.dialogs.texts(), QStringList{"Import completed"});
        QCOMPARE(c.state.table.usedMemoryCount(), 3);
        QVERIFY(c.state.MemoriesChanged);
        QVERIFY(undo.available());
        QCOMPARE(undo.name(), QStringLiteral("Import"));
        QVERIFY(undo.restore(c.ctx));
        QCOMPARE(c.state.table.usedMemoryCount(), 1);
    }

    void badStartNumberKeepsTheText()
    {
        TestContext c;
        ImportExportDialog w(c.ctx, nullptr, nullptr);
        w.show();
        auto *box = child<QLineEdit>(&w, "txtStartMemory");
        box->setText("600");
        child<QPushButton>(&w, "cmdPreviewImport")->click();
        QCOMPARE(box->text(), QStringLiteral("600"));
        QCOMPARE(c.dialogs.texts(), QStringList{"The start memory number must be a number from 1 to 500"});
        QVERIFY(c.dialogs.fileRequests.isEmpty());
    }

    void savedPosition()
    {
        TestContext c;
        {
            ImportExportDialog w(c.ctx, nullptr, nullptr);
            w.show();
            w.move(120, 75);
            QTRY_COMPARE(w.pos(), QPoint(120, 75));
            child<QPushButton>(&w, "cmdSetPosition")->click();
        }
        const QWidget probe;
        QCOMPARE(c.settings->get<Setting::ImportExportLeft>(), PixelsToTwipsX(&probe, 120));
        QCOMPARE(c.settings->get<Setting::ImportExportTop>(), PixelsToTwipsY(&probe, 75));
        ImportExportDialog again(c.ctx, nullptr, nullptr);
        again.show();
        QTRY_COMPARE(again.pos(), QPoint(120, 75));
    }
};

QTEST_MAIN(TestImportExportWindow)
#include "tst_importexportwindow.moc"
