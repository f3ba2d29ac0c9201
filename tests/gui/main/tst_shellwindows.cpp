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
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextBrowser>
#include <QtTest>

using namespace mv;
using namespace mv::test;

namespace {
template <typename T = QPushButton> T *childOf(QWidget *w, const QString &name) { return w->findChild<T *>(name); }
void clickIn(QWidget *w, const QString &name) { QTest::mouseClick(childOf<QWidget>(w, name), Qt::LeftButton); }
}  // namespace

class TestShellWindows : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { SetOpenWithDesktopHandler({}); }

    // The messages window: trace lines only while logging is on, copy and clear; the
    // stored place and size are used, too small a window springs back, and "Save
    // size and position" stores what the window has (in twips).
    void messagesWindow()
    {
        MainWindowFixture f;
        f.preset({{Setting::ErrorListLeft, "1500"},
                  {Setting::ErrorListTop, "600"},
                  {Setting::ErrorListWidth, "7000"},
                  {Setting::ErrorListHeight, "4000"}});
        MainWindow &w = f.start();
        MessageLog &log = w.session().log();
        MessagesWindow *list = w.messagesWindow();
        log.LogMessage("Read: issue initial instructions", LogLevel::Trace);
        QVERIFY(!list->isVisible());
        log.LogMessage("Row  5 and row  9 are the same frequency of 14.20000");
        QVERIFY(list->isVisible());
        QCOMPARE(list->textArea()->toPlainText(), "Row  5 and row  9 are the same frequency of 14.20000\n");
        f.action("mnuLog")->trigger();
        QCOMPARE(w.session().settings().text(Setting::Log), "True");
        log.LogMessage("trace", LogLevel::Trace);
        QVERIFY(list->textArea()->toPlainText().endsWith("14.20000\ntrace\n"));
        clickIn(list, "cmdCopyToClipboard");
        QVERIFY(QGuiApplication::clipboard()->text().startsWith("Row  5 and row  9"));
        clickIn(list, "cmdClearMessages");
        QVERIFY(list->textArea()->toPlainText().isEmpty());
        QVERIFY(list->isVisible());

        QCOMPARE(QRect(list->pos(), list->size()),
                 QRect(TwipsX(list, 1500), TwipsY(list, 600), TwipsX(list, 7000), TwipsY(list, 4000)));
        QCOMPARE(childOf(list, "cmdClose")->y(), list->height() - TwipsY(list, 410));
        list->resize(list->width(), TwipsY(list, 1200));
        QTest::qWait(10);
        QCOMPARE(list->height(), TwipsY(list, 2000));
        list->setGeometry(TwipsX(list, 300), TwipsY(list, 150), TwipsX(list, 9000), TwipsY(list, 3000));
        clickIn(list, "cmdSetPosition");
        const QList<std::pair<Setting, int>> stored = {{Setting::ErrorListWidth, PixelsToTwipsX(list, list->width())},
                                                       {Setting::ErrorListHeight, PixelsToTwipsY(list, list->height())},
                                                       {Setting::ErrorListLeft, PixelsToTwipsX(list, list->x())},
                                                       {Setting::ErrorListTop, PixelsToTwipsY(list, list->y())}};
        for (const auto &[setting, twips] : stored)
            QCOMPARE(w.session().settings().text(setting), QString::number(twips));
    }

    void columnWidthModes()
    {
        MainWindowFixture f;
        MainWindow &w = f.start(f.copyData("sample.450"));
        MemoryGridView *v = w.memoryView();
        w.SetDescriptionWidth(3450);
        QCOMPARE(v->columnWidth(6), TwipsX(v, 3450));
        // User-chosen widths with nothing stored leave the widths alone.
        v->setColumnWidth(2, 123);
        f.action("mnuUserColumnWidths")->trigger();
        QCOMPARE(w.session().settings().text(Setting::UserChosenColumnWidths), "True");
        QCOMPARE(v->columnWidth(2), 123);
        // Stored widths are used, but not a hand-edited one that would hide its column.
        const int three = v->columnWidth(3);
        w.session().settings().setText(Setting::Column, "1000", 0);
        w.session().settings().setText(Setting::Column, "2880", 2);
        w.session().settings().setText(Setting::Column, "-40", 3);
        f.action("mnuUserColumnWidths")->trigger();
        f.action("mnuUserColumnWidths")->trigger();
        QCOMPARE(v->columnWidth(2), TwipsX(v, 2880));
        QCOMPARE(v->columnWidth(0), TwipsX(v, 1000));
        QCOMPARE(v->columnWidth(3), three);
        // Autosize wins over user widths: columns fit their contents, the tone gets 200 twips more.
        f.action("mnuAutosize")->trigger();
        QCOMPARE(w.session().settings().text(Setting::Autosize), "True");
        const int tone = v->columnWidth(5);
        v->resizeColumnToContents(5);
        QCOMPARE(tone, v->columnWidth(5) + TwipsX(v, 200));
    }

    // "Save size and position", and a grid size chosen from the menu (ticked alone,
    // the grids and tabs in a larger font): the next start comes back the same.
    void saveSizeAndPosition()
    {
        MainWindowFixture f;
        MainWindow &w = f.start();
        const int normal = w.memoryView()->font().pointSize();
        f.action("mnuGridLargest")->trigger();
        QCOMPARE(w.session().settings().text(Setting::GridSize), "Largest");
        w.resize(700, 420);
        w.move(40, 30);
        w.memoryView()->setColumnWidth(6, 300);
        f.action("mnuSavePosition")->trigger();
        QCOMPARE(w.session().settings().text(Setting::MemoryWindowState), "0");
        QCOMPARE(w.session().settings().text(Setting::Column, 6), QString::number(PixelsToTwipsX(&w, 300)));
        f.window->close();
        f.window.reset();
        MainWindow &again = f.start();
        QCOMPARE(again.size(), QSize(700, 420));
        QCOMPARE(again.pos(), QPoint(40, 30));
        for (const char *name : {"mnuGridNormal", "mnuGridLarger", "mnuGridLargest"})
            QCOMPARE(f.action(QString::fromLatin1(name))->isChecked(), name == QByteArray("mnuGridLargest"));
        for (QWidget *v : {static_cast<QWidget *>(again.memoryView()), static_cast<QWidget *>(again.pmsView()),
                           static_cast<QWidget *>(f.find<QTabWidget>("SSTab1")->tabBar())})
            QVERIFY(v->font().pointSize() > normal);
    }

    void forceWindowsOntoPrimaryDesktop()
    {
        MainWindowFixture f;
        MainWindow &w = f.start();
        w.move(-3000, -3000);
        f.action("mnuForceOnScreen")->trigger();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(w.size(), QSize(TwipsX(&w, 11700), TwipsY(&w, 7410)));
        QVERIFY(qAbs(w.x() - (screen.left() + (screen.width() - w.width()) / 2)) <= 2);
        QVERIFY(qAbs(w.y() - (screen.top() + (screen.height() - w.height()) / 2)) <= 2);
        MessagesWindow *list = w.messagesWindow();
        QVERIFY(list->isVisible());
        QCOMPARE(QRect(list->pos(), list->size()),
                 QRect(screen.left() + TwipsX(list, 2760), screen.top(), TwipsX(list, 8130), TwipsY(list, 3060)));
        QVERIFY(!w.session().settings().contains(Setting::MemoryWidth));  // nothing is stored
    }

    void portAndSpeedMenus()
    {
        MainWindowFixture f;
        f.preset({{Setting::CommPort, "5"}, {Setting::UserCommSpeed, "19200,N,8,2"}, {Setting::RTS, "True"}});
        f.preset(Setting::PortDevice, "/dev/serial/by-id/usb-radio", 3);
        MainWindow &w = f.start();
        QVERIFY(f.action("mnuCom5")->isChecked());
        QVERIFY(f.action("mnuComSpeed19200")->isChecked());
        QVERIFY(w.session().link().DoNotUseRts);
        // Every number shows the device it means (here the --device of the run).
        QCOMPARE(f.action("mnuCom3")->text(), "COM3\tsim");
        f.action("mnuCom7")->trigger();
        QCOMPARE(w.session().settings().text(Setting::CommPort), "7");
        QCOMPARE(w.session().link().CommPort, 7);
        for (int n = 1; n <= 16; ++n)
            QCOMPARE(f.action(QString("mnuCom%1").arg(n))->isChecked(), n == 7);
        f.action("mnuComSpeed4800")->trigger();
        QCOMPARE(w.session().settings().text(Setting::UserCommSpeed), "4800,N,8,2");
        QVERIFY(!f.action("mnuComSpeed19200")->isChecked());
        f.action("mnuDisableRTS")->trigger();
        QCOMPARE(w.session().settings().text(Setting::RTS), "False");
        // Without --device the captions show the mapping.
        f.window->close();
        MainWindow &plain = f.create({}, QString());
        QCOMPARE(f.action("mnuCom3")->text(), "COM3\t/dev/serial/by-id/usb-radio");
        QCOMPARE(f.action("mnuCom7")->text(), "COM7\t" + PortDeviceName(plain.session().settings(), 7));
    }

    // The port window from the menu: detection marks the ports it opens and does not
    // reopen an open one; "Close ports" and closing the window close them again, so
    // the radio can be read at once.
    void portDiagnostic()
    {
        MainWindowFixture f;
        f.preset(Setting::PortDevice, "sim", 1);
        f.radioWithSample();
        MainWindow &w = f.start();
        const int opensBefore = f.line->opens;
        bool ran = false;
        QStringList states;
        onNextModal(
            [&](QWidget *modal) {
                auto *diag = qobject_cast<ComPortIdentifierDialog *>(modal);
                QCOMPARE(childOf<QComboBox>(diag, "cboDevice1")->currentText(), "sim");
                clickIn(diag, "cmdDetect");
                clickIn(diag, "cmdDetect");
                QCOMPARE(childOf<QLabel>(diag, "lblState1")->palette().color(QPalette::Window), QColor(0, 200, 0));
                states << diag->stateText(1) << diag->stateText(2) << f.line->openLog.last();
                clickIn(diag, "cmdClosePorts");
                states << diag->stateText(1);
                clickIn(diag, "cmdDetect");
                clickIn(diag, "cmdClose");
            },
            &ran);
        f.action("mnuComPortIdentifier")->trigger();
        QVERIFY(ran);
        QCOMPARE(states, QStringList({"Open", "Not available", "38400,N,8,2", "Closed"}));  // no handshaking
        QCOMPARE(f.line->opens, opensBefore + 2);
        f.clickTransfer("cmdRead");
        QCOMPARE(w.session().state().table.usedMemoryCount(), 44);
    }

    void firstRun()
    {
        MainWindowFixture f(false);
        QDir::setCurrent(f.dir.path());
        f.dialogs.folders.enqueue(f.dataDir);
        bool ran = false;
        onNextModal(
            [&](QWidget *modal) {
                QCOMPARE(modal->objectName(), "frmFirstTimeUse");
                childOf<QCheckBox>(modal, "chkDontShow")->setChecked(true);
                clickIn(modal, "cmdClose");
            },
            &ran);
        MainWindow &w = f.start();
        QVERIFY(ran);
        QCOMPARE(w.session().settings().text(Setting::FirstTime), "1");
        // Then the folder chooser, then the initial file, created and loaded.
        QCOMPARE(f.dialogs.folderTitles.size(), 1);
        QCOMPARE(w.session().settings().text(Setting::HomeDir), f.dataDir);
        QVERIFY(QFile::exists(f.dataDir + "/Initial memory file.450"));
        QCOMPARE(mv::test::cellOf(w.session().state().table, 1, 1), "7.00000");
        QCOMPARE(mv::test::cellOf(w.session().state().table, 1, 2), "LSB");
    }

    void aboutWindowAndLinks()
    {
        MainWindowFixture f;
        f.start();
        QStringList opened;
        SetOpenWithDesktopHandler([&](const QString &t) { opened << t; });
        bool ran = false;
        QString version;
        onNextModal(
            [&](QWidget *modal) {
                version = childOf<QLabel>(modal, "lblVersion")->text();
                clickIn(modal, "lblLink");
                clickIn(modal, "cmdOK");
            },
            &ran);
        f.action("mnuAbout")->trigger();
        QVERIFY(ran);
        QCOMPARE(version, "Version 1.0.0");
        f.action("mnuDownload")->trigger();
        QCOMPARE(opened, QStringList({QString::fromLatin1(kMakerWebPage), QString::fromLatin1(kMakerDownloadPage)}));
    }

    // F1 opens the help book; every link of its contents page leads to a page of the book.
    void helpBook()
    {
        MainWindowFixture f;
        f.start();
        QCOMPARE(f.action("mnuContents")->shortcut(), QKeySequence(Qt::Key_F1));
        f.action("mnuContents")->trigger();
        QWidget *help = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            help = top->objectName() == QLatin1String("frmHelp") && top->isVisible() ? top : help;
        QVERIFY(help);
        QTextBrowser *browser = childOf<QTextBrowser>(help, "txtHelp");
        QVERIFY(browser->toPlainText().contains("Connecting the radio"));
        const QStringList links = browser->document()->toHtml().split("href=\"").mid(1);
        QVERIFY(links.size() >= 6);
        for (const QString &l : links) {
            const QString target = l.section(QLatin1Char('"'), 0, 0).section(QLatin1Char('#'), 0, 0);
            if (!target.startsWith(QLatin1String("http")) && !target.isEmpty())
                QVERIFY2(QFile::exists(":/help/" + target), qPrintable(target));
        }
        help->close();
    }
};

QTEST_MAIN(TestShellWindows)
#include "tst_shellwindows.moc"
