// The message log: trace lines, the capacity reset, copy, clear and close.
#include "shell/MessageLog.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

using namespace mv;

class TestMessageLog : public QObject {
    Q_OBJECT

private slots:
    void traceLinesNeedLogging()
    {
        MessageLog log;
        QSignalSpy opened(&log, &MessageLog::opened);
        QSignalSpy changed(&log, &MessageLog::textChanged);
        log.LogMessage("Read: issue initial instructions", LogLevel::Trace);
        QVERIFY(!log.isOpen());
        QVERIFY(log.text().isEmpty());
        QCOMPARE(opened.count(), 0);
        QCOMPARE(changed.count(), 0);

        log.LogMessage("Requested memory number of  501 is too high - the memory was not added");
        QVERIFY(log.isOpen());
        QCOMPARE(opened.count(), 1);
        QCOMPARE(log.text(), QString("Requested memory number of  501 is too high - the memory was not added\r\n"));

        log.setLoggingEnabled(true);
        log.LogMessage("SetCommPort: open OK for port  3", LogLevel::Trace);
        QVERIFY(log.text().endsWith("SetCommPort: open OK for port  3\r\n"));
        QCOMPARE(opened.count(), 1);
    }

    void everyLineAsksToBeRaised()
    {
        MessageLog log;
        QSignalSpy raise(&log, &MessageLog::raiseRequested);
        QSignalSpy lines(&log, &MessageLog::lineAdded);
        log.LogMessage("one");
        log.LogMessage("two");
        QCOMPARE(raise.count(), 2);
        QCOMPARE(lines.count(), 2);
        QCOMPARE(lines.at(1).at(0).toString(), QString("two"));
    }

    void capacityResetAtTheBoundary_data()
    {
        QTest::addColumn<int>("startLength");
        QTest::addColumn<bool>("reset");
        QTest::newRow("63999 keeps") << 63999 << false;
        QTest::newRow("exactly 64000 keeps") << 64000 << false;
        QTest::newRow("64001 starts afresh") << 64001 << true;
    }
    void capacityResetAtTheBoundary()
    {
        QFETCH(int, startLength);
        QFETCH(bool, reset);
        MessageLog log;
        log.LogMessage(QString(startLength - 2, 'x'));  // plus CR LF
        QCOMPARE(log.text().size(), startLength);
        QSignalSpy changed(&log, &MessageLog::textChanged);
        log.LogMessage("next");
        if (reset) {
            QCOMPARE(log.text(), QString("next\r\n"));
        } else {
            QCOMPARE(log.text().size(), startLength + 6);
            QVERIFY(log.text().endsWith("x\r\nnext\r\n"));
        }
        QCOMPARE(changed.count(), 1);
    }

    void copyToClipboardOnEmptyLog()
    {
        MessageLog log;
        const QString copied = log.copyToClipboardText();
        QVERIFY(log.isOpen());
        QCOMPARE(copied, log.text());
        QVERIFY(copied.startsWith("Copied to Clipboard "));
        QVERIFY(copied.contains(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)));
        // The version line ends the entry, and the log's own line end follows it.
        QVERIFY(copied.endsWith(MessageLog::versionLine() + "\r\n"));
        QVERIFY(
            QRegularExpression("^ MEMVAULT V\\d+\\.\\d+\\.\\d+\\r\\n$").match(MessageLog::versionLine()).hasMatch());
        QCOMPARE(copied.count("\r\n"), 2);
    }

    void clearKeepsTheWindowOpen()
    {
        MessageLog log;
        QSignalSpy opened(&log, &MessageLog::opened);
        QSignalSpy closed(&log, &MessageLog::closed);
        log.LogMessage("line");
        log.clear();
        QVERIFY(log.isOpen());
        QVERIFY(log.text().isEmpty());
        log.LogMessage("after clear");
        QCOMPARE(log.text(), QString("after clear\r\n"));
        QCOMPARE(opened.count(), 1);
        QCOMPARE(closed.count(), 0);
    }

    void closeThenLogAgainStartsEmpty()
    {
        MessageLog log;
        QSignalSpy opened(&log, &MessageLog::opened);
        QSignalSpy closed(&log, &MessageLog::closed);
        log.LogMessage("before");
        log.close();
        QVERIFY(!log.isOpen());
        QVERIFY(log.text().isEmpty());
        QCOMPARE(closed.count(), 1);
        log.close();  // closing a closed window is nothing
        QCOMPARE(closed.count(), 1);

        log.setLoggingEnabled(false);
        log.LogMessage("trace", LogLevel::Trace);
        QVERIFY(!log.isOpen());
        log.LogMessage("after");
        QVERIFY(log.isOpen());
        QCOMPARE(log.text(), QString("after\r\n"));
        QCOMPARE(opened.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestMessageLog)
#include "tst_messagelog.moc"
