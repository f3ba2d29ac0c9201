// What each program says about itself and how it meets a mistyped option:
// --help and --version answer and exit 0 (the window's program without a
// display), an unknown option is a usage error with exit 2.
#include "TestFiles.h"
#include "Version.h"

#include <QtTest>

using namespace mv::test;

class TestPrograms : public QObject {
    Q_OBJECT

private slots:
    void answers_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says");  // on stdout for exit 0, else on stderr
        const QString version = QString::fromLatin1(mv::kVersionText);
        QTest::newRow("memvault --help") << "memvault" << QStringList{"--help"} << 0
                                         << "Usage: memvault [--device PATH] [FILE.450]";
        QTest::newRow("memvault --version") << "memvault" << QStringList{"--version"} << 0 << "memvault " + version;
        QTest::newRow("memvault, unknown option")
            << "memvault" << QStringList{"--fast", "a.450"} << 2 << "memvault: unknown option '--fast'";
        QTest::newRow("ft450sim --help") << "ft450sim" << QStringList{"--help"} << 0 << "--refuse-writes";
        QTest::newRow("ft450sim --version") << "ft450sim" << QStringList{"--version"} << 0 << "ft450sim " + version;
        QTest::newRow("ft450sim, unknown option")
            << "ft450sim" << QStringList{"--fast"} << 2 << "Unknown option 'fast'";
    }
    void answers()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        if (!QFile::exists(qEnvironmentVariable("MEMVAULT_BIN_DIR") + '/' + program))
            QSKIP("program not built");
        // No display at all: --help must not need one.
        QProcessEnvironment env;
        env.insert("QT_QPA_PLATFORM", exitCode == 0 ? "xcb" : "offscreen");
        env.insert("DISPLAY", "");
        const CliRun r = runProgram(program, args, env, 30000);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2((exitCode == 0 ? r.out : r.err).contains(says), qPrintable(r.out + r.err));
    }
};

QTEST_GUILESS_MAIN(TestPrograms)
#include "tst_programs.moc"
