#include "ui/HelpViewer.h"

#include "Version.h"
#include "ui/DesktopLinks.h"
#include "ui/UiMetrics.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

static void initHelpBook() { Q_INIT_RESOURCE(helpbook); }

namespace mv {

QString HelpViewer::bookRoot() { return QStringLiteral("qrc:/help/"); }

HelpViewer::HelpViewer(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    initHelpBook();
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QString::fromLatin1(kProgramTitle) + QStringLiteral(" Help"));
    setAttribute(Qt::WA_QuitOnClose, false);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(false);
    m_browser->setSearchPaths({QStringLiteral(":/help")});
    // Links that leave the book go to the desktop's browser.
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) {
            OpenWithDesktop(url.toString());
            m_browser->setSource(m_browser->source());  // stay on the page
        }
    });

    auto *cmdContents = new QPushButton(QStringLiteral("&Contents"), this);
    cmdContents->setObjectName(QStringLiteral("cmdHelpContents"));
    auto *cmdBack = new QPushButton(QStringLiteral("&Back"), this);
    cmdBack->setObjectName(QStringLiteral("cmdHelpBack"));
    auto *cmdForward = new QPushButton(QStringLiteral("&Forward"), this);
    cmdForward->setObjectName(QStringLiteral("cmdHelpForward"));
    auto *cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdHelpClose"));
    cmdBack->setEnabled(false);
    cmdForward->setEnabled(false);
    connect(cmdContents, &QPushButton::clicked, this, [this] { showPage(); });
    connect(cmdBack, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(cmdForward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::backwardAvailable, cmdBack, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, cmdForward, &QPushButton::setEnabled);

    auto *bar = new QHBoxLayout;
    bar->addWidget(cmdContents);
    bar->addWidget(cmdBack);
    bar->addWidget(cmdForward);
    bar->addStretch();
    bar->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser);
    ApplyUserInterfaceFont(this);
    QFont pageFont = m_browser->font();
    pageFont.setPointSize(10);
    m_browser->setFont(pageFont);
    resize(TwipsX(this, 11000), TwipsY(this, 9000));
}

void HelpViewer::showPage(const QString &page)
{
    m_browser->setSource(QUrl(bookRoot() + page));
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

}  // namespace mv
