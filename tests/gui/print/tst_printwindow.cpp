// The print options window and the memory print, rendered to PDF and read back
// with pdftotext (poppler-utils).
#include "MemoryRows.h"
#include "TestContext.h"
#include "TestFiles.h"
#include "print/PrintOptions.h"
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
#include <QPushButton>
#include <QRadioButton>
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

void useMemory(MemoryTable &t, int n, const QString &description, const QString &freq = "145.50000")
{
    t.setMemory(n, mv::test::memoryOf({freq, "FM", "Minus", "CTCSS Enc+Dec", "88.5", description}));
}

template <typename T> T *child(QWidget *w, const QString &name)
{
    T *c = w->findChild<T *>(name);
    if (!c)
        qWarning("no child %s", qPrintable(name));
    return c;
}

struct PdfText {
    QString text;
    int pages = 0;
};

// -layout keeps each printed line on one text line; pages end with a form feed.
PdfText pdfText(const QString &path, const QStringList &extra = {})
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), QStringList{"-layout"} + extra + QStringList{path, "-"});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    PdfText out;
    out.text = QString::fromUtf8(p.readAllStandardOutput());
    out.pages = int(out.text.count(QLatin1Char('\f')));
    return out;
}

}  // namespace

class TestPrintWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<TestContext> m_t;
    std::unique_ptr<NoPrinter> m_printer;
    QTemporaryDir m_out;

    PrintOptionsDialog *window() { return m_printer->optionsWindow(); }
    QCheckBox *box(int i) { return child<QCheckBox>(window(), QString("Check1_%1").arg(i)); }
    QString widthText() { return child<QLabel>(window(), "lblWidth")->text(); }
    void click(const QString &name) { child<QAbstractButton>(window(), name)->click(); }

    QString needPdfToText()
    {
        const QString exe = QStandardPaths::findExecutable("pdftotext");
        return exe;
    }

    QString exportTo(const QString &name)
    {
        const QString path = m_out.filePath(name);
        if (!m_printer->exportPdfTo(path))
            return {};
        return path;
    }

private slots:
    void init()
    {
        m_printer.reset();
        m_t = std::make_unique<TestContext>();
        m_t->state.CurrentFilePath = m_t->dir.filePath("Club list.450");
        m_printer = std::make_unique<NoPrinter>(m_t->state, *m_t->settings, m_t->dialogs);
    }
    void cleanup()
    {
        m_printer.reset();
        m_t.reset();
    }

    // ---- the options window ----

    void windowControlsAndDefaults()
    {
        PrintOptionsDialog *w = window();
        QCOMPARE(w->objectName(), QString("frmSelectPrintColumns"));
        QCOMPARE(w->windowTitle(), QString("Select memory columns to print"));
        for (int i = 0; i < 6; ++i)
            QVERIFY(box(i) && w->Check1(i) == box(i));
        QVERIFY(child<QRadioButton>(w, "optOrientation_0"));
        QVERIFY(child<QCheckBox>(w, "chkDuplex"));
        QVERIFY(child<QPushButton>(w, "cmdOK"));
        QComboBox *margin = child<QComboBox>(w, "cboTopMargin");
        QStringList items;
        for (int i = 0; i < margin->count(); ++i)
            items << margin->itemText(i);
        QCOMPARE(items, QStringList({"Minimum", "1/4 inch", "1/2 inch", "3/4 inch", "1 inch"}));
        QCOMPARE(w->font().family(), QString("Tahoma"));
        QCOMPARE(w->font().pointSize(), 8);
        // With nothing stored: every column, landscape, no duplex, the minimum margin.
        for (int i = 0; i < 6; ++i)
            QVERIFY(box(i)->isChecked());
        QCOMPARE(widthText(), QString("Width=53"));
        QVERIFY(child<QRadioButton>(w, "optOrientation_1")->isChecked());
        QVERIFY(!child<QRadioButton>(w, "optOrientation_0")->isChecked());
        QVERIFY(!child<QCheckBox>(w, "chkDuplex")->isChecked());
        QCOMPARE(child<QComboBox>(w, "cboTopMargin")->currentText(), QString("Minimum"));
        QCOMPARE(m_printer->options(), PrintOptions());
    }

    void widthFollowsTheBoxes_data()
    {
        QTest::addColumn<QList<int>>("unchecked");
        QTest::addColumn<QString>("label");
        // The widths of every column are tabled in tst_printoptions.
        QTest::newRow("frequency off") << QList<int>{0} << "Width=43";
        QTest::newRow("no box") << QList<int>{0, 1, 2, 3, 4, 5} << "Width=0";
    }
    void widthFollowsTheBoxes()
    {
        QFETCH(QList<int>, unchecked);
        window()->show();
        for (int i : unchecked)
            box(i)->click();
        QTEST(widthText(), "label");
        // Ticking one back adds its width again.
        QFETCH(QString, label);
        const int width = label.mid(6).toInt();
        box(unchecked.first())->click();
        QCOMPARE(widthText(), "Width=" + QString::number(width + PrintOptions::columnWidth(unchecked.first())));
    }

    void cancelRestoresStoredChoices()
    {
        const bool storedLandscape = false, storedDuplex = true;
        m_t->settings->set<Setting::Landscape>(storedLandscape);
        m_t->settings->set<Setting::Duplex>(storedDuplex);
        m_t->settings->set<Setting::PrintCol>(4, 0);
        PrintOptionsDialog *w = window();
        w->show();
        QCOMPARE(widthText(), QString("Width=44"));

        box(0)->click();
        box(3)->click();
        click(storedLandscape ? "optOrientation_0" : "optOrientation_1");
        child<QCheckBox>(w, "chkDuplex")->click();
        child<QComboBox>(w, "cboTopMargin")->setCurrentIndex(3);
        click("cmdCancel");

        QVERIFY(!w->isVisible());
        QVERIFY(box(0)->isChecked());
        QVERIFY(!box(3)->isChecked());
        QCOMPARE(widthText(), QString("Width=44"));
        QCOMPARE(m_printer->options().PrintLandscape, storedLandscape);
        QCOMPARE(m_printer->options().PrintDuplex, storedDuplex);
        QCOMPARE(child<QRadioButton>(w, "optOrientation_1")->isChecked(), storedLandscape);
        QCOMPARE(child<QCheckBox>(w, "chkDuplex")->isChecked(), storedDuplex);
        QCOMPARE(child<QComboBox>(w, "cboTopMargin")->currentText(), QString("Minimum"));
        QCOMPARE(m_printer->options().PrintTopMargin, 0);
        // Nothing was written.
        QVERIFY(!m_t->settings->contains(Setting::TopMargin));
        QVERIFY(!m_t->settings->contains(Setting::PrintCol, 1));
    }

    void okStoresChoices()
    {
        PrintOptionsDialog *w = window();
        w->show();
        box(1)->click();
        box(4)->click();
        click("optOrientation_0");
        child<QCheckBox>(w, "chkDuplex")->click();
        child<QComboBox>(w, "cboTopMargin")->setCurrentText("1 inch");
        click("cmdOK");

        QVERIFY(!w->isVisible());
        QCOMPARE(m_t->settings->text(Setting::TopMargin), QString("1 inch"));
        QCOMPARE(m_printer->options().PrintTopMargin, 1240);
        QVERIFY(!m_printer->options().PrintLandscape);
        QVERIFY(m_printer->options().PrintDuplex);
        QCOMPARE(m_t->settings->text(Setting::Landscape), QString("False"));
        QCOMPARE(m_t->settings->text(Setting::Duplex), QString("True"));
        const QStringList cols{"1", "0", "1", "1", "0", "1"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(m_t->settings->text(Setting::PrintCol, i + 1), cols[i]);

        // A later Cancel goes back to these, not to the defaults.
        w->show();
        box(1)->click();
        click("cmdCancel");
        QVERIFY(!box(1)->isChecked());
        QCOMPARE(m_printer->options().PrintTopMargin, 1240);

        // A new program run starts from them.
        m_t->settings->sync();
        SettingsStore again(m_t->settings->folder());
        NoPrinter next(m_t->state, again, m_t->dialogs);
        QCOMPARE(next.options(), m_printer->options());
        QCOMPARE(child<QLabel>(next.optionsWindow(), "lblWidth")->text(), QString("Width=41"));
    }

    void menuOpensTheWindowModally()
    {
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            seen = modal && modal->objectName() == "frmSelectPrintColumns";
            if (modal)
                child<QPushButton>(modal, "cmdCancel")->click();
        });
        m_printer->showOptions();
        QVERIFY(seen);
        QVERIFY(!window()->isVisible());
    }

    // ---- the print ----

    void noPrinter()
    {
        m_printer->available = false;
        m_printer->print();
        QCOMPARE(m_t->dialogs.texts(), QStringList{"No printer is available on this machine"});
        QCOMPARE(m_t->dialogs.boxes[0].icon, Icon::Exclamation);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // "Print" (with a printer) and the preview (printer or not) both open the
    // preview window on the pages the print would have.
    void previewComesFirst_data()
    {
        QTest::addColumn<bool>("printCommand");
        QTest::newRow("print") << true;
        QTest::newRow("preview without a printer") << false;
    }
    void previewComesFirst()
    {
        QFETCH(bool, printCommand);
        for (int n = 1; n <= 5; ++n)
            useMemory(m_t->state.table, n, n == 3 ? "^Next page" : "x");
        m_printer->available = printCommand;
        int pages = -1;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto *preview = dialog->findChild<QPrintPreviewWidget *>();
            pages = preview ? preview->pageCount() : -2;
            dialog->reject();
        });
        if (printCommand)
            m_printer->print();
        else
            m_printer->preview();
        QVERIFY(m_t->dialogs.boxes.isEmpty());
        QCOMPARE(pages, 2);
    }

    void pdfHeadingsAndTitle_data()
    {
        QTest::addColumn<QList<int>>("checked");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("all") << QList<int>{0, 1, 2, 3, 4, 5}
                             << QStringList{"RX Freq",     "Mode",      "Shift",   "Decode", "Tone",
                                            "Description", "145.50000", "Enc+Dec", "88.5",   "Home repeater"}
                             << QStringList{};
        QTest::newRow("frequency, description")
            << QList<int>{0, 5} << QStringList{"RX Freq", "Description", "145.50000", "Home repeater"}
            << QStringList{"Mode", "Shift", "Decode", "Tone", "Enc+Dec", "88.5", "Minus"};
        QTest::newRow("mode, shift, tone") << QList<int>{1, 2, 4} << QStringList{"Mode", "Shift", "Tone", "88.5"}
                                           << QStringList{"RX Freq", "Decode", "Description", "Home repeater"};
    }
    void pdfHeadingsAndTitle()
    {
        if (needPdfToText().isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed; the PDF text cannot be checked");
        QFETCH(QList<int>, checked);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        for (int i = 0; i < 6; ++i)
            m_t->settings->set<Setting::PrintCol>(i + 1, checked.contains(i) ? 1 : 0);
        useMemory(m_t->state.table, 1, "Home repeater");

        const QString path = exportTo("headings.pdf");
        QVERIFY(!path.isEmpty());
        const PdfText pdf = pdfText(path);
        QCOMPARE(pdf.pages, 1);
        QVERIFY2(pdf.text.contains("Memory print of Club list.450"), qPrintable(pdf.text));
        for (const QString &s : present)
            QVERIFY2(pdf.text.contains(s), qPrintable(s + "\n" + pdf.text));
        for (const QString &s : absent)
            QVERIFY2(!pdf.text.contains(s), qPrintable(s + "\n" + pdf.text));
        QVERIFY(pdf.text.contains(QRegularExpression("Memories +2 +to +500 +empty")));
        QVERIFY(pdf.text.contains("PMS memories"));
        QVERIFY(pdf.text.contains("Page 1 of 1"));
    }

    void pdfManyMemoriesFlowOverPages()
    {
        if (needPdfToText().isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed; the PDF text cannot be checked");
        for (int n = 1; n <= 500; ++n)
            useMemory(m_t->state.table, n, QString("Chan %1").arg(n));
        const PdfText landscape = pdfText(exportTo("landscape.pdf"));
        QVERIFY(landscape.pages > 5);
        for (int n : {1, 250, 500})
            QVERIFY(landscape.text.contains(QString("Chan %1\n").arg(n)));

        // Portrait pages are taller: fewer of them.
        m_t->settings->set<Setting::Landscape>(false);
        NoPrinter portrait(m_t->state, *m_t->settings, m_t->dialogs);
        const QString path = m_out.filePath("portrait.pdf");
        QVERIFY(portrait.exportPdfTo(path));
        QVERIFY(pdfText(path).pages < landscape.pages);
    }

    void pdfOrientationAndMargin()
    {
        if (needPdfToText().isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed; the PDF text cannot be checked");
        useMemory(m_t->state.table, 1, "x");
        // -bbox gives each word's box in points: the title moves down by the margin.
        auto titleTop = [&](const QString &name, QSizeF *page) -> double {
            const QString path = exportTo(name);
            QProcess p;
            p.start("pdftotext", {"-bbox", path, "-"});
            p.waitForFinished(60000);
            const QString html = QString::fromUtf8(p.readAllStandardOutput());
            const QRegularExpression pageRe(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
            const auto pm = pageRe.match(html);
            if (pm.hasMatch())
                *page = QSizeF(pm.captured(1).toDouble(), pm.captured(2).toDouble());
            const QRegularExpression word(R"re(<word xMin="[\d.]+" yMin="([\d.]+)"[^>]*>Memory</word>)re");
            const auto m = word.match(html);
            return m.hasMatch() ? m.captured(1).toDouble() : -1;
        };
        QSizeF landscape, portrait;
        const double minimum = titleTop("minimum.pdf", &landscape);
        QVERIFY(minimum > 0);
        QVERIFY2(landscape.width() > landscape.height(), "the default is landscape");

        m_t->settings->set<Setting::TopMargin>("1 inch");
        m_t->settings->set<Setting::Landscape>(false);
        m_printer = std::make_unique<NoPrinter>(m_t->state, *m_t->settings, m_t->dialogs);
        const double inch = titleTop("inch.pdf", &portrait);
        QVERIFY(portrait.width() < portrait.height());
        // 1240 twips = 62 points.
        QVERIFY2(qAbs(inch - minimum - 62.0) < 1.0, qPrintable(QString("%1 %2").arg(minimum).arg(inch)));
    }

    void exportAsksForTheFile()
    {
        useMemory(m_t->state.table, 1, "x");
        m_t->dialogs.files.enqueue({false, m_out.filePath("chosen")});
        m_printer->exportPdf();
        QCOMPARE(m_t->dialogs.fileRequests.size(), 1);
        const FileDialogRequest &r = m_t->dialogs.fileRequests[0];
        QCOMPARE(r.suggestedName, QString("Club list.pdf"));
        QCOMPARE(r.startFolder, m_t->dir.path());
        QVERIFY(r.filter.startsWith("PDF files (*.pdf)|*.pdf"));
        QVERIFY(QFileInfo(m_out.filePath("chosen.pdf")).size() > 0);
        QVERIFY(m_t->dialogs.boxes.isEmpty());

        // Cancelled: nothing written, nothing shown.
        m_t->dialogs.clear();
        m_printer->exportPdf();
        QVERIFY(m_t->dialogs.boxes.isEmpty());
    }

    void exportAsksBeforeReplacing_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("yes") << Answer::Yes << true;
        QTest::newRow("no") << Answer::No << false;
    }
    void exportAsksBeforeReplacing()
    {
        QFETCH(Answer, answer);
        QFETCH(bool, replaced);
        const QString path = m_out.filePath("existing.pdf");
        QVERIFY(mv::test::writeBytes(path, "old"));
        m_t->dialogs.files.enqueue({false, path});
        m_t->dialogs.answers.enqueue(answer);
        m_printer->exportPdf();
        QCOMPARE(m_t->dialogs.boxes.size(), 1);
        QVERIFY(m_t->dialogs.boxes[0].text.endsWith("already exists. Replace it?"));
        QCOMPARE(m_t->dialogs.boxes[0].buttons, Buttons::YesNo);
        QCOMPARE(QFileInfo(path).size() > 3, replaced);
        QFile::remove(path);
    }

    void exportToUnwritablePlace()
    {
        const QString path = m_out.filePath("no such folder/list.pdf");
        QVERIFY(!m_printer->exportPdfTo(path));
        QCOMPARE(m_t->dialogs.boxes.size(), 1);
        QVERIFY(m_t->dialogs.boxes[0].text.contains("could not be written"));
        QCOMPARE(m_t->dialogs.boxes[0].icon, Icon::Exclamation);
        QVERIFY(!QFileInfo::exists(path));

        // A folder in the way is refused and left alone.
        QVERIFY(QDir(m_out.path()).mkpath("taken.pdf"));
        QVERIFY(!m_printer->exportPdfTo(m_out.filePath("taken.pdf")));
        QVERIFY(QFileInfo(m_out.filePath("taken.pdf")).isDir());
        // No half-written leftovers beside the target.
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

    void titleWithoutFile()
    {
        m_t->state.CurrentFilePath.clear();
        QCOMPARE(m_printer->title(), QString("Memory print of (no file)"));
    }
};

QTEST_MAIN(TestPrintWindow)
#include "tst_printwindow.moc"
