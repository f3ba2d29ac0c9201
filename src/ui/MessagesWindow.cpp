#include "ui/MessagesWindow.h"

#include "Version.h"
#include "shell/MessageLog.h"
#include "shell/SettingsStore.h"
#include "ui/UiMetrics.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>

namespace mv {

namespace {
QString forDisplay(QStringView text) { return text.toString().replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }
}  // namespace

MessagesWindow::MessagesWindow(MessageLog &log, SettingsStore &settings, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_log(log)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("frmErrorList"));
    setWindowTitle(QString::fromLatin1(kProgramTitle) + QStringLiteral(" Messages"));
    setAttribute(Qt::WA_QuitOnClose, false);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtErrors"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_copy = new QPushButton(QStringLiteral("Copy to clipboard"), this);
    m_copy->setObjectName(QStringLiteral("cmdCopyToClipboard"));
    m_clear = new QPushButton(QStringLiteral("Clear messages"), this);
    m_clear->setObjectName(QStringLiteral("cmdClearMessages"));
    m_save = new QPushButton(QStringLiteral("&Save size and position"), this);
    m_save->setObjectName(QStringLiteral("cmdSetPosition"));
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setObjectName(QStringLiteral("cmdClose"));
    ApplyUserInterfaceFont(this);

    setMinimumHeight(TwipsY(this, kMinimumHeightTwips));
    setMinimumWidth(TwipsX(this, 4 * 1300 + 5 * 120));

    connect(m_copy, &QPushButton::clicked, this, &MessagesWindow::copyToClipboard);
    connect(m_clear, &QPushButton::clicked, this, [this] { m_log.clear(); });
    connect(m_save, &QPushButton::clicked, this, &MessagesWindow::savePosition);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);

    connect(&m_log, &MessageLog::opened, this, &MessagesWindow::onOpened);
    connect(&m_log, &MessageLog::textChanged, this, &MessagesWindow::onTextChanged);
    connect(&m_log, &MessageLog::raiseRequested, this, &MessagesWindow::onRaiseRequested);
    connect(&m_log, &MessageLog::closed, this, [this] {
        if (isVisible())
            hide();
    });
    resize(TwipsX(this, kDesignWidth), TwipsY(this, kDesignHeight));
}

void MessagesWindow::restoreGeometryFromSettings()
{
    int left = TwipsX(this, m_settings.find<Setting::ErrorListLeft>().value_or(kDesignLeft));
    int top = TwipsY(this, m_settings.find<Setting::ErrorListTop>().value_or(kDesignTop));
    int width = TwipsX(this, m_settings.find<Setting::ErrorListWidth>().value_or(kDesignWidth));
    int height = TwipsY(this, m_settings.find<Setting::ErrorListHeight>().value_or(kDesignHeight));
    // Hand-edited nonsense must not make the window unreachable.
    const QRect screens = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->virtualGeometry()
                                                           : QRect(0, 0, 1920, 1080);
    if (width < minimumWidth() || width > 4 * screens.width())
        width = TwipsX(this, kDesignWidth);
    if (height < minimumHeight() || height > 4 * screens.height())
        height = TwipsY(this, kDesignHeight);
    if (!screens.intersects(QRect(left, top, width, height))) {
        left = TwipsX(this, kDesignLeft);
        top = TwipsY(this, kDesignTop);
    }
    resize(width, height);
    move(left, top);
}

void MessagesWindow::onOpened()
{
    m_text->clear();
    m_mirrored = 0;
    ApplyUserInterfaceFont(this);
    restoreGeometryFromSettings();
    show();
}

void MessagesWindow::onTextChanged()
{
    const QString &text = m_log.text();
    if (text.size() < m_mirrored || m_mirrored == 0) {
        m_text->setPlainText(forDisplay(text));
    } else if (text.size() > m_mirrored) {
        QTextCursor c(m_text->document());
        c.movePosition(QTextCursor::End);
        c.insertText(forDisplay(QStringView(text).mid(m_mirrored)));
    }
    m_mirrored = text.size();
    m_text->moveCursor(QTextCursor::End);
    m_text->ensureCursorVisible();
}

void MessagesWindow::onRaiseRequested()
{
    if (!m_log.isOpen())
        return;
    if (isMinimized())
        showNormal();
    if (!isVisible())
        show();
    raise();
}

void MessagesWindow::copyToClipboard()
{
    const QString text = m_log.copyToClipboardText();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void MessagesWindow::savePosition()
{
    m_settings.set<Setting::ErrorListHeight>(PixelsToTwipsY(this, height()));
    m_settings.set<Setting::ErrorListWidth>(PixelsToTwipsX(this, width()));
    m_settings.set<Setting::ErrorListTop>(PixelsToTwipsY(this, pos().y()));
    m_settings.set<Setting::ErrorListLeft>(PixelsToTwipsX(this, pos().x()));
}

void MessagesWindow::forceOntoPrimaryDesktop()
{
    m_log.open();  // opens the window when it is closed
    showNormal();
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry() : QRect();
    resize(TwipsX(this, kDesignWidth), TwipsY(this, kDesignHeight));
    move(screen.left() + TwipsX(this, kDesignLeft), screen.top() + TwipsY(this, kDesignTop));
    raise();
}

void MessagesWindow::layoutControls()
{
    // Everything is placed from the inner size (width() and height() leave out
    // the title bar and the borders): the button line stands 410 twips above
    // the inner bottom, and the text fills all the room above it, so that no
    // empty band is left beside or below the text.
    const int w = width();
    const int h = height();
    const int buttonTop = h - TwipsY(this, kButtonLineTwips);
    m_text->setGeometry(0, 0, w, std::max(0, buttonTop - TwipsY(this, kGapTwips)));
    const int buttonHeight = TwipsY(this, 360);
    const int margin = TwipsX(this, kGapTwips);
    const int gap = TwipsX(this, 120);
    const int buttonWidth = std::max(TwipsX(this, 1300), (w - 2 * margin - 3 * gap) / 4);
    int x = margin;
    for (QPushButton *b : {m_copy, m_clear, m_save, m_close}) {
        b->setGeometry(x, buttonTop, buttonWidth, buttonHeight);
        x += buttonWidth + gap;
    }
}

void MessagesWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (isMinimized())
        return;
    if (height() < TwipsY(this, kMinimumHeightTwips)) {
        resize(width(), TwipsY(this, kMinimumHeightTwips));
        return;
    }
    layoutControls();
}

void MessagesWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    m_text->clear();
    m_mirrored = 0;
    m_log.close();
}

}  // namespace mv
