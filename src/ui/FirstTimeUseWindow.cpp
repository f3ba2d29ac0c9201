#include "ui/FirstTimeUseWindow.h"

#include "Version.h"
#include "shell/SettingsStore.h"
#include "ui/UiMetrics.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mv {

FirstTimeUseWindow::FirstTimeUseWindow(SettingsStore &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("frmFirstTimeUse"));
    setWindowTitle(QStringLiteral("First time use"));

    auto *lblWelcome
        = new QLabel(QStringLiteral("Welcome to ") + QString::fromLatin1(kProgramTitle) + QStringLiteral("."), this);
    lblWelcome->setObjectName(QStringLiteral("lblWelcome"));
    auto *lblText = new QLabel(
        QStringLiteral("You are encouraged to look through the Help file to become familiar with the procedures for "
                       "using the program. You can show the Help file by pressing F1 from the main program window."),
        this);
    lblText->setObjectName(QStringLiteral("lblText"));
    lblText->setWordWrap(true);
    m_dontShow = new QCheckBox(QStringLiteral("Don't show this screen again"), this);
    m_dontShow->setObjectName(QStringLiteral("chkDontShow"));
    auto *cmdClose = new QPushButton(QStringLiteral("Close this window"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);

    ApplyUserInterfaceFont(this);
    QFont big = lblWelcome->font();
    big.setPointSize(12);
    big.setBold(true);
    lblWelcome->setFont(big);

    connect(cmdClose, &QPushButton::clicked, this, [this] {
        m_settings.set<Setting::FirstTime>(m_dontShow->isChecked() ? 1 : 0);
        accept();
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblWelcome);
    layout->addWidget(lblText);
    layout->addWidget(m_dontShow);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cmdClose);
    layout->addLayout(row);
    resize(TwipsX(this, 6000), TwipsY(this, 2600));
}

}  // namespace mv
