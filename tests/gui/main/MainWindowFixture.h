#pragma once
// A main window over a private settings folder, scripted dialogs and the
// in-process FT-450 simulator, started the way the program starts it.
#include "ScriptedDialogs.h"
#include "SimulatedSerialPort.h"
#include "TestContext.h"
#include "app/Session.h"
#include "shell/SettingsStore.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace mv::test {

// Settings and the texts a (hand-edited) settings file holds for them.
using SettingTexts = QList<std::pair<Setting, QString>>;

// Every one of the radio's 504 memories in use, each with its own frequency,
// mode, tone and shift.
inline void fillRadioForWindow(ft450::Ft450Radio &radio)
{
    static const char modes[] = "123456789BC";
    for (int n = 1; n <= ft450::kMemoryCount; ++n) {
        const qint64 hz = 1800000 + qint64(n) * 10000;
        radio.setMemory(n, QStringLiteral("MR%1%2+000000%3%4%5%6;")
                               .arg(n, 3, 10, QLatin1Char('0'))
                               .arg(hz, 8, 10, QLatin1Char('0'))
                               .arg(QString(QLatin1Char(modes[n % 11])) + QLatin1Char('0'))
                               .arg(n % 3)
                               .arg(n % 50, 2, 10, QLatin1Char('0'))
                               .arg(n % 3)
                               .toLatin1());
    }
}

struct MainWindowFixture {
    QTemporaryDir dir;
    QString settingsDir = dir.path() + QStringLiteral("/settings");
    QString dataDir = dir.path() + QStringLiteral("/data");
    std::shared_ptr<ft450::SimulatedLine> line = std::make_shared<ft450::SimulatedLine>();
    ft450::SimulatedPortFactory factory{line};
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    // first run done and a data folder chosen, unless told otherwise
    explicit MainWindowFixture(bool seasoned = true)
    {
        QDir().mkpath(dataDir);
        if (seasoned) {
            preset(Setting::FirstTime, QStringLiteral("1"));
            preset(Setting::HomeDir, dataDir);
        }
    }
    ~MainWindowFixture()
    {
        if (window) {
            window->session().state().MemoriesChanged = false;  // no exit question
            window->close();
        }
    }

    // Settings written before the window reads them, as the text a file holds.
    void preset(Setting setting, const QString &text, int index = 0) { preset({{setting, text}}, index); }
    // (Column0 for the Column family.)
    void preset(const SettingTexts &texts, int index = 0)
    {
        SettingsStore s(settingsDir);
        for (const auto &[setting, text] : texts)
            s.setText(setting, text, index);
        s.sync();
    }

    // A copy of a test data file (and its description file) in the data folder.
    QString copyData(const QString &name, const QString &as = {})
    {
        const QString target = dataDir + QLatin1Char('/') + (as.isEmpty() ? name : as);
        QFile::remove(target);
        QFile::copy(testDataPath(name), target);
        QFile::remove(target + QStringLiteral("dsc"));
        QFile::copy(testDataPath(name + QStringLiteral("dsc")), target + QStringLiteral("dsc"));
        return target;
    }

    MainWindow &create(const QString &commandLinePath = {}, const QString &device = QStringLiteral("sim"))
    {
        MainWindowOptions o;
        o.settingsFolder = settingsDir;
        o.dialogs = &dialogs;
        o.serialFactory = &factory;
        o.commandLinePath = commandLinePath;
        o.deviceOverride = device;
        window = std::make_unique<MainWindow>(o);
        return *window;
    }

    // Builds the window, runs the start-up, and waits for the deferred load.
    MainWindow &start(const QString &commandLinePath = {}, bool waitForLoad = true)
    {
        create(commandLinePath);
        window->startUp();
        if (waitForLoad) {
            for (int i = 0; i < 500 && window->startupTimer()->isActive(); ++i)
                QTest::qWait(10);
            QTest::qWait(10);
        }
        return *window;
    }

    template <typename T = QWidget> T *find(const QString &name) const
    {
        T *w = window->findChild<T *>(name);
        if (!w)
            qWarning("no child named %s", qPrintable(name));
        return w;
    }
    QAction *action(const QString &name) const { return find<QAction>(name); }

    // Clicks a button that starts a radio transfer and waits until the window
    // has shown its outcome (the transfer runs on its own thread).
    void clickTransfer(const QString &button)
    {
        runTransfer([&] { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); });
    }
    void runTransfer(const std::function<void()> &start)
    {
        QSignalSpy ended(window.get(), &MainWindow::transferFinished);
        start();
        QVERIFY(ended.count() > 0 || ended.wait(120000));
    }
    // Runs `f` on the window's thread while the transfer's thread waits for it:
    // from a simulator hook, a click lands at an exact point of the transfer.
    void onWindowThread(const std::function<void()> &f) const
    {
        QMetaObject::invokeMethod(window.get(), f, Qt::BlockingQueuedConnection);
    }
};

// Runs `handle` on the next modal window that opens (after `delayMs`), then
// returns whether it ran.
inline void onNextModal(std::function<void(QWidget *)> handle, bool *ran = nullptr, int delayMs = 0, int attempts = 100)
{
    QTimer::singleShot(delayMs, [handle, ran, attempts] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            // Not open yet: look again shortly (for two seconds at most).
            if (attempts > 0)
                onNextModal(handle, ran, 20, attempts - 1);
            return;
        }
        handle(modal);
        if (ran)
            *ran = true;
    });
}

}  // namespace mv::test

Q_DECLARE_METATYPE(mv::test::SettingTexts)
