// The windows around the main window and the Settings and Help menus: messages
// window, grid sizes and column widths, window placement, port menus and the
// port diagnostic window, first run, about and help.
#include "MainWindowFixture.h"
#include "MemoryRows.h"
#include "cat/CatLink.h"
#include "cat/PortMap.h"
#include "shell/MessageLog.h"
#include "ui/ComPortIdentifierDialog.h"
#include "ui/DesktopLinks.h"
#include "ui/MemoryGridView.h"
#include "ui/MessagesWindow.h"
#include "ui/UiMetrics.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTextBrowser>
#include <QtTest>

using namespace mv;
using namespace mv::test;

class TestShellWindows : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void messagesWindow();
    void messagesWindowGeometry();
    void gridSizeProfiles_data();
    void gridSizeProfiles();
    void columnWidthModes();
    void saveSizeAndPosition();
    void forceWindowsOntoPrimaryDesktop();
    void portAndSpeedMenus();
    void portDiagnosticMarksPorts();
    void portDiagnosticFromMenuClosesItsPorts();
    void firstRun();
    void aboutWindow();
    void helpBook();
};

void TestShellWindows::cleanup() { SetOpenWithDesktopHandler({}); }

void TestShellWindows::messagesWindow()
{
    MainWindowFixture f;
    MainWindow &w = f.start();
    MessageLog &log = w.session().log();
    MessagesWindow *list = w.messagesWindow();
    QCOMPARE(list->objectName(), QStringLiteral("frmErrorList"));
    QVERIFY(!list->isVisible());
    // A trace line while logging is off changes nothing.
    log.LogMessage(QStringLiteral("Read: issue initial instructions"), LogLevel::Trace);
    QVERIFY(!list->isVisible());
    log.LogMessage(QStringLiteral("Row  5 and row  9 are the same frequency of 14.20000"));
    QVERIFY(list->isVisible());
    QCOMPARE(list->windowTitle(), QStringLiteral("MEMVAULT Messages"));
    QCOMPARE(list->textArea()->toPlainText(), QStringLiteral("Row  5 and row  9 are the same frequency of 14.20000\n"));
    // Logging switched on from the menu lets trace lines through.
    f.action("mnuLog")->trigger();
    QCOMPARE(w.session().settings().text(Setting::Log), QStringLiteral("True"));
    log.LogMessage(QStringLiteral("trace"), LogLevel::Trace);
    QVERIFY(list->textArea()->toPlainText().endsWith(QStringLiteral("14.20000\ntrace\n")));

    QTest::mouseClick(list->findChild<QPushButton *>(QStringLiteral("cmdCopyToClipboard")), Qt::LeftButton);
    const QString copied = QGuiApplication::clipboard()->text();
    QCOMPARE(copied, log.text());
    QVERIFY(copied.startsWith(QStringLiteral("Row  5 and row  9")));
    QVERIFY(copied.contains(QStringLiteral("\r\nCopied to Clipboard ")));
    QVERIFY(copied.endsWith(QStringLiteral(" MEMVAULT V1.0.0\r\n\r\n")));
    // Clear empties the window and keeps it open.
    QTest::mouseClick(list->findChild<QPushButton *>(QStringLiteral("cmdClearMessages")), Qt::LeftButton);
    QVERIFY(list->textArea()->toPlainText().isEmpty());
    QVERIFY(list->isVisible());
}

void TestShellWindows::messagesWindowGeometry()
{
    MainWindowFixture f;
    f.preset(Setting::ErrorListLeft, QStringLiteral("1500"));
    f.preset(Setting::ErrorListTop, QStringLiteral("600"));
    f.preset(Setting::ErrorListWidth, QStringLiteral("7000"));
    f.preset(Setting::ErrorListHeight, QStringLiteral("4000"));
    MainWindow &w = f.start();
    w.session().log().LogMessage(QStringLiteral("x"));
    MessagesWindow *list = w.messagesWindow();
    QCOMPARE(list->width(), TwipsX(list, 7000));
    QCOMPARE(list->height(), TwipsY(list, 4000));
    QCOMPARE(list->pos(), QPoint(TwipsX(list, 1500), TwipsY(list, 600)));
    // The text fills the window above the button line, which stands 410 twips
    // above the inner bottom: no empty band beside or below the text. Too small
    // a window springs back.
    QPushButton *copy = list->findChild<QPushButton *>(QStringLiteral("cmdCopyToClipboard"));
    QPushButton *close = list->findChild<QPushButton *>(QStringLiteral("cmdClose"));
    auto checkLayout = [&] {
        QCOMPARE(list->textArea()->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(list->textArea()->width(), list->width());
        QCOMPARE(close->y(), list->height() - TwipsY(list, 410));
        QVERIFY(close->y() - list->textArea()->geometry().bottom() <= TwipsY(list, 60) + 1);
        QVERIFY(copy->x() <= TwipsX(list, 60));
        QVERIFY(list->width() - close->geometry().right() <= TwipsX(list, 60) + 4);
    };
    checkLayout();
    list->resize(list->width(), TwipsY(list, 1200));
    QTest::qWait(10);
    QCOMPARE(list->height(), TwipsY(list, 2000));
    checkLayout();

    list->resize(TwipsX(list, 9000), TwipsY(list, 3000));
    list->move(TwipsX(list, 300), TwipsY(list, 150));
    QTest::mouseClick(list->findChild<QPushButton *>(QStringLiteral("cmdSetPosition")), Qt::LeftButton);
    QCOMPARE(w.session().settings().text(Setting::ErrorListWidth),
             QString::number(PixelsToTwipsX(list, list->width())));
    QCOMPARE(w.session().settings().text(Setting::ErrorListHeight),
             QString::number(PixelsToTwipsY(list, list->height())));
    QCOMPARE(w.session().settings().text(Setting::ErrorListLeft), QString::number(PixelsToTwipsX(list, list->x())));
    QCOMPARE(w.session().settings().text(Setting::ErrorListTop), QString::number(PixelsToTwipsY(list, list->y())));
}

void TestShellWindows::gridSizeProfiles_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("header");
    QTest::addColumn<int>("column0");
    QTest::newRow("Normal") << "mnuGridNormal" << 8 << 500 << 1150;
    QTest::newRow("Largest") << "mnuGridLargest" << 10 << 600 << 1210;
}

void TestShellWindows::gridSizeProfiles()
{
    QFETCH(QString, item);
    QFETCH(int, points);
    QFETCH(int, header);
    QFETCH(int, column0);
    MainWindowFixture f;
    f.preset(Setting::GridSize,
             item == QLatin1String("mnuGridNormal") ? QStringLiteral("Largest") : QStringLiteral("Normal"));
    MainWindow &w = f.start();
    f.action(item)->trigger();
    int ticked = 0;
    for (const char *name : {"mnuGridNormal", "mnuGridLarger", "mnuGridLargest"})
        ticked += f.action(QString::fromLatin1(name))->isChecked() ? 1 : 0;
    QCOMPARE(ticked, 1);
    QVERIFY(f.action(item)->isChecked());
    QCOMPARE(w.session().settings().text(Setting::GridSize), f.action(item)->text());
    for (MemoryGridView *v : {w.memoryView(), w.pmsView()}) {
        QCOMPARE(v->font().pointSize(), points);
        QCOMPARE(v->horizontalHeader()->height(), TwipsY(v, header));
        QCOMPARE(v->columnWidth(0), TwipsX(v, column0));
    }
    QCOMPARE(f.find<QTabWidget>("SSTab1")->tabBar()->font().pointSize(), points);
}

void TestShellWindows::columnWidthModes()
{
    MainWindowFixture f;
    MainWindow &w = f.start(f.copyData(QStringLiteral("sample.450")));
    MemoryGridView *v = w.memoryView();
    // "Normal", neither box ticked. The description width comes from the file.
    QCOMPARE(v->columnWidth(4), TwipsX(v, 1550));
    QCOMPARE(v->columnWidth(2), TwipsX(v, 1150));
    QCOMPARE(w.pmsView()->columnWidth(4), TwipsX(v, 1550));
    QCOMPARE(w.session().settings().text(Setting::GridSize), QStringLiteral("Normal"));
    w.SetDescriptionWidth(3450);
    QCOMPARE(v->columnWidth(6), TwipsX(v, 3450));

    // User-chosen widths with nothing stored leave the widths alone.
    v->setColumnWidth(2, 123);
    f.action("mnuUserColumnWidths")->trigger();
    QCOMPARE(w.session().settings().text(Setting::UserChosenColumnWidths), QStringLiteral("True"));
    QCOMPARE(v->columnWidth(2), 123);
    // Stored widths are used.
    w.session().settings().setText(Setting::Column, QStringLiteral("1000"), 0);
    w.session().settings().setText(Setting::Column, QStringLiteral("2880"), 2);
    f.action("mnuUserColumnWidths")->trigger();
    f.action("mnuUserColumnWidths")->trigger();
    QCOMPARE(v->columnWidth(2), TwipsX(v, 2880));
    QCOMPARE(v->columnWidth(0), TwipsX(v, 1000));

    // Autosize wins over user widths: columns fit their contents, the tone gets 200 twips more.
    f.action("mnuAutosize")->trigger();
    QCOMPARE(w.session().settings().text(Setting::Autosize), QStringLiteral("True"));
    const int tone = v->columnWidth(5);
    v->resizeColumnToContents(5);
    QCOMPARE(tone, v->columnWidth(5) + TwipsX(v, 200));
    QCOMPARE(w.pmsView()->columnWidth(3), TwipsX(v, 1150));

    // Neither: the defaults again.
    f.action("mnuAutosize")->trigger();
    f.action("mnuUserColumnWidths")->trigger();
    QCOMPARE(v->columnWidth(2), TwipsX(v, 1150));
    QCOMPARE(v->columnWidth(6), TwipsX(v, 3450));
}

void TestShellWindows::saveSizeAndPosition()
{
    MainWindowFixture f;
    {
        MainWindow &w = f.start();
        w.resize(700, 420);
        w.move(40, 30);
        w.memoryView()->setColumnWidth(6, 300);
        f.action("mnuSavePosition")->trigger();
        QCOMPARE(w.session().settings().text(Setting::MemoryWindowState), QStringLiteral("0"));
        QCOMPARE(w.session().settings().text(Setting::MemoryWidth), QString::number(PixelsToTwipsX(&w, 700)));
        QCOMPARE(w.session().settings().text(Setting::MemoryHeight), QString::number(PixelsToTwipsY(&w, 420)));
        QCOMPARE(w.session().settings().text(Setting::Column, 6), QString::number(PixelsToTwipsX(&w, 300)));
        f.window->close();
        f.window.reset();
    }
    // The next start comes back the same.
    MainWindow &again = f.start();
    QCOMPARE(again.size(), QSize(700, 420));
    QCOMPARE(again.pos(), QPoint(40, 30));
}

void TestShellWindows::forceWindowsOntoPrimaryDesktop()
{
    MainWindowFixture f;
    MainWindow &w = f.start();
    QAction *force = f.action("mnuForceOnScreen");
    QCOMPARE(force->shortcut(), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F1));
    w.move(-3000, -3000);
    force->trigger();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(w.size(), QSize(TwipsX(&w, 11700), TwipsY(&w, 7410)));
    QVERIFY(qAbs(w.x() - (screen.left() + (screen.width() - w.width()) / 2)) <= 2);
    QVERIFY(qAbs(w.y() - (screen.top() + (screen.height() - w.height()) / 2)) <= 2);
    MessagesWindow *list = w.messagesWindow();
    QVERIFY(list->isVisible());
    QCOMPARE(list->pos(), QPoint(screen.left() + TwipsX(list, 2760), screen.top()));
    QCOMPARE(list->size(), QSize(TwipsX(list, 8130), TwipsY(list, 3060)));
    // Nothing is stored.
    QVERIFY(!w.session().settings().contains(Setting::MemoryWidth));
}

void TestShellWindows::portAndSpeedMenus()
{
    MainWindowFixture f;
    f.preset(Setting::CommPort, QStringLiteral("5"));
    f.preset(Setting::UserCommSpeed, QStringLiteral("19200,N,8,2"));
    f.preset(Setting::RTS, QStringLiteral("True"));
    f.preset(Setting::PortDevice, QStringLiteral("/dev/serial/by-id/usb-radio"), 3);
    MainWindow &w = f.start({}, true);
    QVERIFY(f.action("mnuCom5")->isChecked());
    QVERIFY(f.action("mnuComSpeed19200")->isChecked());
    QVERIFY(f.action("mnuDisableRTS")->isChecked());
    QVERIFY(w.session().link().DoNotUseRts);
    // Every number shows the device it means (here the --device of the run).
    QVERIFY(f.action("mnuCom3")->text().startsWith(QStringLiteral("COM3\t")));
    QVERIFY(f.action("mnuCom3")->text().endsWith(QStringLiteral("sim")));

    f.action("mnuCom7")->trigger();
    QCOMPARE(w.session().settings().text(Setting::CommPort), QStringLiteral("7"));
    QCOMPARE(w.session().link().CommPort, 7);
    for (int n = 1; n <= 16; ++n)
        QCOMPARE(f.action(QStringLiteral("mnuCom%1").arg(n))->isChecked(), n == 7);
    f.action("mnuComSpeed4800")->trigger();
    QCOMPARE(w.session().settings().text(Setting::UserCommSpeed), QStringLiteral("4800,N,8,2"));
    QVERIFY(f.action("mnuComSpeed4800")->isChecked());
    QVERIFY(!f.action("mnuComSpeed19200")->isChecked());
    f.action("mnuDisableRTS")->trigger();
    QCOMPARE(w.session().settings().text(Setting::RTS), QStringLiteral("False"));

    // Without --device the captions show the mapping.
    f.window->close();
    f.window.reset();
    MainWindow &plain = f.create({}, QString());
    QCOMPARE(f.action("mnuCom3")->text(), QStringLiteral("COM3\t/dev/serial/by-id/usb-radio"));
    QCOMPARE(f.action("mnuCom7")->text(), QStringLiteral("COM7\t") + PortDeviceName(plain.session().settings(), 7));
}

void TestShellWindows::portDiagnosticMarksPorts()
{
    MainWindowFixture f;
    f.preset(Setting::PortDevice, QStringLiteral("sim"), 2);
    MainWindow &w = f.start();
    ComPortIdentifierDialog diag(w.session().settings(), w.session().link(), f.factory);
    QStringList shown;
    for (int i = 0; i < 7; ++i)
        shown << diag.findChild<QLabel *>(QStringLiteral("lblInstruction%1").arg(i))->text();
    QCOMPARE(shown, ComPortIdentifierDialog::instructions());
    QCOMPARE(shown.at(4), QStringLiteral("4. Click the 'Detect ports' button"));
    QCOMPARE(diag.findChild<QComboBox *>(QStringLiteral("cboDevice2"))->currentText(), QStringLiteral("sim"));

    const int opensBefore = f.line->opens;
    QTest::mouseClick(diag.findChild<QPushButton *>(QStringLiteral("cmdDetect")), Qt::LeftButton);
    QCOMPARE(diag.stateText(2), QStringLiteral("Open"));
    QVERIFY(diag.isAvailable(2));
    QCOMPARE(diag.findChild<QLabel *>(QStringLiteral("lblState2"))->palette().color(QPalette::Window),
             QColor(0, 200, 0));
    QCOMPARE(diag.stateText(1), QStringLiteral("Not available"));
    QCOMPARE(diag.stateText(16), QStringLiteral("Not available"));
    QCOMPARE(f.line->opens, opensBefore + 1);
    QCOMPARE(f.line->openLog.last(), QStringLiteral("38400,N,8,2"));  // ActiveSettings, no handshaking
    // A second detection does not reopen a port that is open.
    diag.detectPorts();
    QCOMPARE(f.line->opens, opensBefore + 1);
    QCOMPARE(diag.stateText(2), QStringLiteral("Open"));
    QTest::mouseClick(diag.findChild<QPushButton *>(QStringLiteral("cmdClosePorts")), Qt::LeftButton);
    QCOMPARE(diag.stateText(2), QStringLiteral("Closed"));
    QVERIFY(!diag.isAvailable(2));
}

void TestShellWindows::portDiagnosticFromMenuClosesItsPorts()
{
    MainWindowFixture f;
    f.preset(Setting::PortDevice, QStringLiteral("sim"), 1);
    f.preset(Setting::LastOpened, QStringLiteral("A:\\x.450"));
    QString error;
    QVERIFY(f.line->radio.loadMemoryFile(testDataPath(QStringLiteral("sample.450")), &error));
    MainWindow &w = f.start();
    bool ran = false;
    QString state;
    onNextModal(
        [&](QWidget *modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("ComPortDiag"));
            QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("cmdDetect")), Qt::LeftButton);
            state = modal->findChild<QLabel *>(QStringLiteral("lblState1"))->text();
            QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("cmdClose")), Qt::LeftButton);
        },
        &ran);
    f.action("mnuComPortIdentifier")->trigger();
    QVERIFY(ran);
    QCOMPARE(state, QStringLiteral("Open"));
    // The port the window opened is closed again: the radio can be read at once.
    f.clickTransfer("cmdRead");
    QCOMPARE(w.session().state().DataSource, DataSource::Radio);
    QCOMPARE(w.session().state().table.usedMemoryCount(), 44);
}

void TestShellWindows::firstRun()
{
    MainWindowFixture f(false);
    QDir::setCurrent(f.dir.path());
    f.dialogs.folders.enqueue(f.dataDir);
    bool ran = false;
    QString welcome, text;
    onNextModal(
        [&](QWidget *modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("frmFirstTimeUse"));
            QCOMPARE(modal->windowTitle(), QStringLiteral("First time use"));
            welcome = modal->findChild<QLabel *>(QStringLiteral("lblWelcome"))->text();
            text = modal->findChild<QLabel *>(QStringLiteral("lblText"))->text();
            modal->findChild<QCheckBox *>(QStringLiteral("chkDontShow"))->setChecked(true);
            QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("cmdClose")), Qt::LeftButton);
        },
        &ran);
    MainWindow &w = f.start();
    QVERIFY(ran);
    QCOMPARE(welcome, QStringLiteral("Welcome to MEMVAULT."));
    QVERIFY(text.endsWith(QStringLiteral("by pressing F1 from the main program window.")));
    QCOMPARE(w.session().settings().text(Setting::FirstTime), QStringLiteral("1"));
    // Then the folder chooser, then the initial file, created and loaded.
    QCOMPARE(f.dialogs.folderTitles,
             QStringList{QStringLiteral("Choose a folder to use for storing memory and .CSV files")});
    QCOMPARE(w.session().settings().text(Setting::HomeDir), f.dataDir);
    QCOMPARE(w.session().state().DataSource, DataSource::File);
    QVERIFY(QFile::exists(f.dataDir + QStringLiteral("/Initial memory file.450")));
    QCOMPARE(mv::test::cellOf(w.session().state().table, 1, 1), QStringLiteral("7.00000"));
    QCOMPARE(mv::test::cellOf(w.session().state().table, 1, 2), QStringLiteral("LSB"));
}

void TestShellWindows::aboutWindow()
{
    MainWindowFixture f;
    f.start();
    QStringList opened;
    SetOpenWithDesktopHandler([&](const QString &t) { opened << t; });
    QAction *about = f.action("mnuAbout");
    QCOMPARE(about->text(), QStringLiteral("About MEMVAULT..."));
    bool ran = false;
    QString title, version, heading;
    onNextModal(
        [&](QWidget *modal) {
            title = modal->windowTitle();
            heading = modal->findChild<QLabel *>(QStringLiteral("lblTitle"))->text();
            version = modal->findChild<QLabel *>(QStringLiteral("lblVersion"))->text();
            QTest::mouseClick(modal->findChild<QLabel *>(QStringLiteral("lblLink")), Qt::LeftButton);
            QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
        },
        &ran);
    about->trigger();
    QVERIFY(ran);
    QCOMPARE(title, QStringLiteral("About MEMVAULT"));
    QCOMPARE(heading, QStringLiteral("MEMVAULT"));
    QCOMPARE(version, QStringLiteral("Version 1.0.0"));
    QCOMPARE(opened, QStringList{QString::fromLatin1(kMakerWebPage)});
    f.action("mnuDownload")->trigger();
    QCOMPARE(opened.last(), QString::fromLatin1(kMakerDownloadPage));
}

void TestShellWindows::helpBook()
{
    MainWindowFixture f;
    MainWindow &w = f.start();
    QAction *contents = f.action("mnuContents");
    QCOMPARE(contents->shortcut(), QKeySequence(Qt::Key_F1));
    w.activateWindow();
    QTest::keyClick(&w, Qt::Key_F1);
    auto shownHelp = [] {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("frmHelp") && top->isVisible())
                return top;
        return static_cast<QWidget *>(nullptr);
    };
    if (!shownHelp())  // the offscreen platform may not deliver the key to the window
        contents->trigger();
    QWidget *help = shownHelp();
    QVERIFY(help);
    QTextBrowser *browser = help->findChild<QTextBrowser *>(QStringLiteral("txtHelp"));
    const QString page = browser->toPlainText();
    QVERIFY2(page.contains(QStringLiteral("Connecting the radio")), qPrintable(page.left(200)));
    // Every link of the contents page leads to a page of the book.
    const QStringList links = browser->document()->toHtml().split(QStringLiteral("href=\"")).mid(1);
    QVERIFY(links.size() >= 6);
    for (const QString &l : links) {
        const QString target = l.section(QLatin1Char('"'), 0, 0).section(QLatin1Char('#'), 0, 0);
        if (target.startsWith(QLatin1String("http")) || target.isEmpty())
            continue;
        QVERIFY2(QFile::exists(QStringLiteral(":/help/") + target), qPrintable(target));
    }
    help->close();
}

QTEST_MAIN(TestShellWindows)
#include "tst_shellwindows.moc"
