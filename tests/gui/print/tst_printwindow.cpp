// The print options window, and the memory print previewed, printed and exported
// to PDF (the pages' text: tst_memoryprintlayout).
#include "MemoryRows.h"
#include "TestContext.h"
#include "TestFiles.h"
#include "shell/SafeSave.h"
#include "ui/MemoryPrinter.h"
#include "ui/PrintOptionsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

using namespace mv;
using mv::test::TestContext;

namespace {

class NoPrinter : public MemoryPrinter {
public:
    using MemoryPrinter::MemoryPrinter;
    bool available = false;

protected:
    bool printerAvailable() const override { return available; }
};

void useMemory(MemoryTable &t, int n, const QString &description)
{
    t.setMemory(n, mv::test::memoryOf({"145.50000", "FM", "Minus", "CTCSS Enc+Dec", "88.5", description}));
}

}  // namespace

class TestPrintWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<TestContext> m_t;
    std::unique_ptr<NoPrinter> m_printer;
    QTemporaryDir m_out;

    PrintOptionsDialog *window() { return m_printer->optionsWindow(); }
    template <typename T = QAbstractButton> T *child(const QString &name) { return window()->findChild<T *>(name); }
    QCheckBox *box(int i) { return child<QCheckBox>(QString("Check1_%1").arg(i)); }

private slots:
    void init()
    {
        m_printer.reset();
        m_t = std::make_unique<TestContext>();
        m_t->state.CurrentFilePath = m_t->dir.filePath("Club list.450");
        m_printer = std::make_unique<NoPrinter>(m_t->state, *m_t->settings, m_t->dialogs);
    }

    void okStoresChoicesCancelDoesNot()
    {
        window()->show();
        box(1)->click();
        box(4)->click();
        child("optOrientation_0")->click();
        child("chkDuplex")->click();
        child<QComboBox>("cboTopMargin")->setCurrentText("1 inch");
        QCOMPARE(child<QLabel>("lblWidth")->text(), QString("Width=41"));  // the width follows the boxes
        child("cmdOK")->click();
        QVERIFY(!window()->isVisible());
        QCOMPARE(m_t->settings->text(Setting::TopMargin), QString("1 inch"));
        QCOMPARE(m_t->settings->text(Setting::Duplex), QString("True"));
        // Cancel puts the window back as stored and stores nothing.
        window()->show();
        box(1)->click();
        child("optOrientation_1")->click();
        child("cmdCancel")->click();
        QVERIFY(!window()->isVisible());
        QVERIFY(!box(1)->isChecked() && child("optOrientation_0")->isChecked());
        QCOMPARE(m_t->settings->text(Setting::Landscape), QString("False"));
        QStringList cols;
        for (int i = 1; i <= 6; ++i)
            cols << m_t->settings->text(Setting::PrintCol, i);
        QCOMPARE(cols, QStringList({"1", "0", "1", "1", "0", "1"}));
        // A new program run starts from them.
        m_t->settings->sync();
        SettingsStore again(m_t->settings->folder());
        NoPrinter next(m_t->state, again, m_t->dialogs);
        QCOMPARE(next.options(), m_printer->options());
        QCOMPARE(next.optionsWindow()->findChild<QLabel *>("lblWidth")->text(), QString("Width=41"));
    }

    // "Print" with a printer and the preview (printer or not) open the preview
    // window on the pages the print would have; "Print" without one says so.
    void printAndPreview_data()
    {
        QTest::addColumn<bool>("printCommand");
        QTest::addColumn<bool>("printer");
        QTest::newRow("print") << true << true;
        QTest::newRow("preview without a printer") << false << false;
        QTest::newRow("print without a printer") << true << false;
    }
    void printAndPreview()
    {
        QFETCH(bool, printCommand);
        QFETCH(bool, printer);
        for (int n = 1; n <= 5; ++n)
            useMemory(m_t->state.table, n, n == 3 ? "^Next page" : "x");
        m_printer->available = printer;
        int shown = -1;
        QTimer::singleShot(0, this, [&] {
            if (auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget())) {
                shown = dialog->findChild<QPrintPreviewWidget *>()->pageCount();
                dialog->reject();
            }
        });
        printCommand ? m_printer->print() : m_printer->preview();
        QCoreApplication::processEvents();  // no preview: the look for one is over before `shown` goes
        const bool refused = printCommand && !printer;
        QCOMPARE(m_t->dialogs.texts(),
                 refused ? QStringList{"No printer is available on this machine"} : QStringList());
        QVERIFY(!refused || m_t->dialogs.boxes[0].icon == Icon::Exclamation);
        QCOMPARE(shown, refused ? -1 : 2);
        m_t->state.CurrentFilePath.clear();
        QCOMPARE(m_printer->title(), QString("Memory print of (no file)"));
    }

    // What reaches the PDF, read back with pdftotext: the chosen columns only,
    // the orientation, and the top margin (the title moves down 1240 twips, 62
    // points, with "1 inch").
    void pdfFollowsTheOptions()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed; the PDF cannot be read back");
        useMemory(m_t->state.table, 1, "Home repeater");
        QSizeF landscape, portrait;
        double minimum = 0, inch = 0;
        auto exported = [&](const QString &name, QSizeF &page, double &titleTop) {
            const QString path = m_out.filePath(name);
            QProcess p;
            p.start("pdftotext", {"-bbox", m_printer->exportPdfTo(path) ? path : QString(), "-"});
            p.waitForFinished(60000);
            const QString html = QString::fromUtf8(p.readAllStandardOutput());
            const auto size = QRegularExpression(R"re(<page width="([\d.]+)" height="([\d.]+)")re").match(html);
            page = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
            titleTop
                = QRegularExpression(R"re(yMin="([\d.]+)"[^>]*>Memory</word>)re").match(html).captured(1).toDouble();
            return html;
        };
        QVERIFY(exported("default.pdf", landscape, minimum).contains(">Mode</word>"));
        for (int i = 0; i < 6; ++i)
            m_t->settings->set<Setting::PrintCol>(i + 1, i == 0 || i == 5 ? 1 : 0);
        m_t->settings->set<Setting::TopMargin>("1 inch");
        m_t->settings->set<Setting::Landscape>(false);
        m_printer = std::make_unique<NoPrinter>(m_t->state, *m_t->settings, m_t->dialogs);
        const QString html = exported("options.pdf", portrait, inch);
        QVERIFY(landscape.width() > landscape.height() && portrait.width() < portrait.height());
        QVERIFY2(minimum > 0 && qAbs(inch - minimum - 62.0) < 1.0, qPrintable(QString("%1 %2").arg(minimum).arg(inch)));
        for (const char *word : {">145.50000</word>", ">Home</word>", ">PMS</word>"})
            QVERIFY2(html.contains(word), word);
        for (const char *word : {">Mode</word>", ">88.5</word>"})
            QVERIFY2(!html.contains(word), word);
    }

    // The file is asked for (with the document's name), and an existing one is replaced only on Yes.
    void exportAsksForTheFile_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("new file") << QByteArray() << Answer::Yes << true;
        QTest::newRow("replaced") << QByteArray("old") << Answer::Yes << true;
        QTest::newRow("kept") << QByteArray("old") << Answer::No << false;
    }
    void exportAsksForTheFile()
    {
        QFETCH(QByteArray, old);
        QFETCH(Answer, answer);
        QFETCH(bool, written);
        useMemory(m_t->state.table, 1, "x");
        const QString path = m_out.filePath("chosen.pdf");
        QFile::remove(path);
        QVERIFY(old.isEmpty() || mv::test::writeBytes(path, old));
        m_t->dialogs.files.enqueue({false, m_out.filePath("chosen")});
        m_t->dialogs.answers.enqueue(answer);
        m_printer->exportPdf();
        const FileDialogRequest &r = m_t->dialogs.fileRequests.at(0);
        QCOMPARE(r.suggestedName, QString("Club list.pdf"));
        QCOMPARE(r.startFolder, m_t->dir.path());
        QVERIFY(r.filter.startsWith("PDF files (*.pdf)|*.pdf"));
        QCOMPARE(m_t->dialogs.texts().size(), old.isEmpty() ? 0 : 1);
        QVERIFY(old.isEmpty() || m_t->dialogs.boxes[0].text.endsWith("already exists. Replace it?"));
        QVERIFY(old.isEmpty() || m_t->dialogs.boxes[0].buttons == Buttons::YesNo);
        QCOMPARE(QFileInfo(path).size() > 3, written);
        // Cancelled: nothing written, nothing shown.
        m_t->dialogs.clear();
        m_printer->exportPdf();
        QVERIFY(m_t->dialogs.boxes.isEmpty());
    }

    void exportToUnwritablePlace()
    {
        const QString path = m_out.filePath("no such folder/list.pdf");
        QVERIFY(!m_printer->exportPdfTo(path));
        QCOMPARE(m_t->dialogs.boxes.size(), 1);
        QVERIFY(m_t->dialogs.boxes[0].text.contains("could not be written"));
        QCOMPARE(m_t->dialogs.boxes[0].icon, Icon::Exclamation);
        QVERIFY(!QFileInfo::exists(path));
        // A folder in the way is refused and left alone, with no half-written leftovers beside it.
        QVERIFY(QDir(m_out.path()).mkpath("taken.pdf"));
        QVERIFY(!m_printer->exportPdfTo(m_out.filePath("taken.pdf")));
        QVERIFY(QFileInfo(m_out.filePath("taken.pdf")).isDir());
        QCOMPARE(QDir(m_out.path()).entryList(QDir::Files | QDir::Hidden).filter(".memvault-print").size(), 0);
    }

    void fullDiskKeepsTheOldFile()
    {
        const QString path = m_out.filePath("full.pdf");
        QVERIFY(mv::test::writeBytes(path, "old"));
        {
            SaveSpaceLimit full(500);
            QVERIFY(!m_printer->exportPdfTo(path));
        }
        QCOMPARE(mv::test::readBytes(path), QByteArray("old"));
        QCOMPARE(m_t->dialogs.texts(), QStringList{"The PDF file " + path + " could not be written\r\n" + path
                                                   + ": No space left on device"});
        QCOMPARE(QDir(m_out.path()).entryList(QDir::Files).filter("full.pdf").size(), 1);
        QFile::remove(path);
    }
};

QTEST_MAIN(TestPrintWindow)
#include "tst_printwindow.moc"
