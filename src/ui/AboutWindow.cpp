#include "ui/AboutWindow.h"

#include "Version.h"
#include "shell/WindowLayout.h"
#include "ui/ClickableLabel.h"
#include "ui/DesktopLinks.h"
#include "ui/UiMetrics.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mv {

QString AboutWindow::description()
{
    return QStringLiteral("Memory manager for the Yaesu FT-450 HF/50 MHz transceiver");
}

AboutWindow::AboutWindow(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    const QString title = QString::fromLatin1(kProgramTitle);
    setWindowTitle(QStringLiteral("About ") + title);

    auto *lblTitle = new QLabel(title, this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    auto *lblVersion = new QLabel(VersionLabelText(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto *lblDescription = new QLabel(description(), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);
    auto *lblLink = new ClickableLabel(QString::fromLatin1(kMakerWebPage), this);
    lblLink->setObjectName(QStringLiteral("lblLink"));
    lblLink->setCursor(Qt::PointingHandCursor);
    auto *cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    ApplyUserInterfaceFont(this);
    QFont big = lblTitle->font();
    big.setPointSize(14);
    big.setBold(true);
    lblTitle->setFont(big);
    QFont link = lblLink->font();
    link.setUnderline(true);
    lblLink->setFont(link);
    QPalette p = lblLink->palette();
    p.setColor(QPalette::WindowText, p.color(QPalette::Link));
    lblLink->setPalette(p);

    connect(lblLink, &ClickableLabel::clicked, this, [] { OpenWithDesktop(QString::fromLatin1(kMakerWebPage)); });
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addWidget(lblVersion);
    layout->addWidget(lblDescription);
    layout->addWidget(lblLink);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cmdOK);
    layout->addLayout(row);
}

}  // namespace mv
