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
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace mv::test {

struct MainWindowFixture {
    QTemporaryDir dir;
    QString settingsDir = dir.path() + "/settings";
    QString dataDir = dir.path() + "/data";
    std::shared_ptr<ft450::SimulatedLine> line = std::make_shared<ft450::SimulatedLine>();
    ft450::SimulatedPortFactory factory{line};
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    // First run done and a data folder chosen, unless told otherwise.
    explicit MainWindowFixture(bool seasoned = true)
    {
        QDir().mkpath(dataDir);
        if (seasoned)
            preset({{Setting::FirstTime, "1"}, {Setting::HomeDir, dataDir}});
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
    void preset(const QList<std::pair<Setting, QString>> &texts, int index = 0)
    {
        SettingsStore s(settingsDir);
        for (const auto &[setting, text] : texts)
            s.setText(setting, text, index);
        s.sync();
    }
    // The sample memories in the simulated radio, and no file to load at start.
    void radioWithSample()
    {
        QString error;
        QVERIFY2(line->radio.loadMemoryFile(testDataPath("sample.450"), &error), qPrintable(error));
        preset(Setting::LastOpened, "A:\\x.450");
    }

    // A copy of a test data file (and its description file) in the data folder.
    QString copyData(const QString &name, const QString &as = {})
    {
        const QString target = dataDir + QLatin1Char('/') + (as.isEmpty() ? name : as);
        for (const QString &ext : {QString(), QString("dsc")}) {
            QFile::remove(target + ext);
            QFile::copy(testDataPath(name + ext), target + ext);
        }
        return target;
    }

    MainWindow &create(const QString &commandLinePath = {}, const QString &device = "sim")
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
    MainWindow &start(const QString &commandLinePath = {})
    {
        create(commandLinePath);
        window->startUp();
        for (int i = 0; i < 500 && window->startupTimer()->isActive(); ++i)
            QTest::qWait(10);
        QTest::qWait(10);
        return *window;
    }

    template <typename T> T *find(const QString &name) const { return window->findChild<T *>(name); }
    QAction *action(const QString &name) const { return find<QAction>(name); }
    QString panel(int n) const { return find<QLabel>(QString("StatusBar1_Panel%1").arg(n))->text(); }
    bool enabled(const char *button) const { return find<QPushButton>(QString::fromLatin1(button))->isEnabled(); }
    void click(const char *button) const
    {
        QTest::mouseClick(find<QPushButton>(QString::fromLatin1(button)), Qt::LeftButton);
    }

    // Clicks a button that starts a radio transfer and waits until the window
    // has shown its outcome (the transfer runs on its own thread).
    void clickTransfer(const char *button)
    {
        QSignalSpy ended(window.get(), &MainWindow::transferFinished);
        click(button);
        QVERIFY(ended.count() > 0 || ended.wait(120000));
    }
};

// Runs `handle` on the next modal window once it opens (looking for two seconds
// at most) and sets `*ran`.
inline void onNextModal(std::function<void(QWidget *)> handle, bool *ran, int attempts = 100)
{
    QTimer::singleShot(attempts == 100 ? 0 : 20, [handle, ran, attempts] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            handle(modal);
            *ran = true;
        } else if (attempts > 0) {
            onNextModal(handle, ran, attempts - 1);
        }
    });
}

}  // namespace mv::test
