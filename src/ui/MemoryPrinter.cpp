#include "ui/MemoryPrinter.h"

#include "core/AppState.h"
#include "print/MemoryPrintLayout.h"
#include "shell/Dialogs.h"
#include "shell/SafeSave.h"
#include "ui/PrintOptionsDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <limits>

namespace mv {

namespace {

constexpr qreal kFontPoints = 10.0;
// Long descriptions shrink the font down to this before they are cut off.
constexpr qreal kSmallestFontPoints = 7.0;
// A PDF has no printer with its own unprintable edge; give it a plain one.
const QMarginsF kPdfMarginsMm(15, 10, 15, 10);

QFont printFont(qreal points)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSizeF(points);
    return font;
}

QString noFileName() { return QStringLiteral("(no file)"); }

}  // namespace

MemoryPrinter::MemoryPrinter(AppState &state, SettingsStore &settings, Dialogs &dialogs, QWidget *parent)
    : QObject(parent)
    , m_state(state)
    , m_settings(settings)
    , m_dialogs(dialogs)
    , m_parent(parent)
{
}

MemoryPrinter::~MemoryPrinter()
{
    // The window edits our options; it goes with them.
    delete m_window;
}

PrintOptionsDialog *MemoryPrinter::optionsWindow()
{
    if (!m_window)
        m_window = new PrintOptionsDialog(m_settings, m_options, m_parent);
    return m_window;
}

const PrintOptions &MemoryPrinter::options()
{
    optionsWindow();
    return m_options;
}

void MemoryPrinter::showOptions() { optionsWindow()->exec(); }

bool MemoryPrinter::printerAvailable() const { return !QPrinterInfo::availablePrinters().isEmpty(); }

QString MemoryPrinter::title() const
{
    const QString name = QFileInfo(m_state.CurrentFilePath).fileName();
    return PrintTitle(name.isEmpty() ? noFileName() : name);
}

void MemoryPrinter::applyOptions(QPrinter &printer)
{
    const PrintOptions &o = options();
    printer.setPageOrientation(o.PrintLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDuplex(o.PrintDuplex ? QPrinter::DuplexAuto : QPrinter::DuplexNone);
    printer.setDocName(title());
    printer.setCreator(QStringLiteral("MEMVAULT"));
}

bool MemoryPrinter::paintPages(QPrinter *printer)
{
    const PrintOptions &o = options();
    QPainter painter;
    if (!painter.begin(printer))
        return false;

    const QSizeF area = printer->pageRect(QPrinter::DevicePixel).size();
    const qreal dpi = printer->resolution();
    const qreal top = o.PrintTopMargin * dpi / 1440.0;
    const QString fileName = QFileInfo(m_state.CurrentFilePath).fileName();
    const QString name = fileName.isEmpty() ? noFileName() : fileName;

    // Shrink the font for long descriptions so that the longest line fits across.
    QFont font = printFont(kFontPoints);
    qreal charWidth = QFontMetricsF(font, printer).horizontalAdvance(QLatin1Char('0'));
    const int widest = LayoutMemoryPrint(m_state.table, o, name, 1000).maxLineChars;
    if (widest > 0 && charWidth > 0 && widest * charWidth > area.width()) {
        const qreal points = std::floor(kFontPoints * area.width() / (widest * charWidth) * 2) / 2;
        font = printFont(std::max(kSmallestFontPoints, points));
    }
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF metrics(font, printer);
    charWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    const qreal lineHeight = metrics.lineSpacing();
    // Two lines at the foot of the page for the page number.
    if (!(lineHeight > 0))
        return false;
    const int linesPerPage = int(std::clamp((area.height() - top - 2 * lineHeight) / lineHeight, 0.0, 10000.0));

    const MemoryPrintLayout layout = LayoutMemoryPrint(m_state.table, o, name, linesPerPage);
    const int pageCount = int(layout.pages.size());
    for (int i = 0; i < pageCount; ++i) {
        if (i > 0 && !printer->newPage())
            return false;
        qreal y = top + metrics.ascent();
        for (const PrintLine &line : layout.pages[i].lines) {
            painter.setFont(line.isBold() ? bold : font);
            for (const PrintSpan &span : line.spans) {
                const qreal x = span.column * charWidth;
                if (x >= area.width())
                    break;
                const QString text = metrics.elidedText(span.text, Qt::ElideRight, area.width() - x);
                painter.drawText(QPointF(x, y), text);
            }
            y += lineHeight;
        }
        painter.setFont(font);
        painter.drawText(QRectF(0, area.height() - lineHeight, area.width(), lineHeight),
                         Qt::AlignRight | Qt::AlignBottom, PageFooter(i + 1, pageCount));
    }
    return painter.end();
}

void MemoryPrinter::preview()
{
    QPrinter printer(QPrinter::HighResolution);
    applyOptions(printer);
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setPageMargins(kPdfMarginsMm, QPageLayout::Millimeter);
    QPrintPreviewDialog dialog(&printer, m_parent);
    dialog.setObjectName(QStringLiteral("dlgPrintPreview"));
    dialog.setWindowTitle(title());
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *p) { paintPages(p); });
    dialog.exec();
}

void MemoryPrinter::print()
{
    if (!printerAvailable()) {
        m_dialogs.messageBox(QStringLiteral("No printer is available on this machine"), Buttons::Ok, Icon::Exclamation);
        return;
    }
    preview();
}

void MemoryPrinter::exportPdf()
{
    const QFileInfo current(m_state.CurrentFilePath);
    FileDialogRequest request;
    request.title = QStringLiteral("Export to PDF");
    request.filter = QStringLiteral("PDF files (*.pdf)|*.pdf|All Files (*.*)|*.*");
    request.startFolder = m_state.CurrentFilePath.isEmpty() ? m_state.HomeDir : current.absolutePath();
    request.suggestedName
        = (m_state.CurrentFilePath.isEmpty() ? QStringLiteral("Memory print") : current.completeBaseName())
          + QStringLiteral(".pdf");
    const FileChoice choice = m_dialogs.saveFile(request);
    if (choice.cancelled || choice.path.trimmed().isEmpty())
        return;
    QString path = choice.path;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    if (QFileInfo::exists(path)
        && m_dialogs.messageBox(QStringLiteral("The file ") + QDir::toNativeSeparators(path)
                                    + QStringLiteral(" already exists. Replace it?"),
                                Buttons::YesNo, Icon::Question)
               != Answer::Yes)
        return;
    exportPdfTo(path);
}

bool MemoryPrinter::exportPdfTo(const QString &path)
{
    auto fail = [&](const QString &why) {
        m_dialogs.messageBox(QStringLiteral("The PDF file ") + QDir::toNativeSeparators(path)
                                 + QStringLiteral(" could not be written") + QStringLiteral("\r\n") + why,
                             Buttons::Ok, Icon::Exclamation);
        return false;
    };

    // The pages are painted into a private temporary folder, then saved like
    // every other file: an existing file is replaced only once every byte of
    // the new one is on disk.
    QTemporaryDir work;
    if (!work.isValid())
        return fail(QStringLiteral("No temporary folder: ") + work.errorString());
    const QString part = work.filePath(QStringLiteral("print.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(part);
        applyOptions(printer);
        printer.setPageMargins(kPdfMarginsMm, QPageLayout::Millimeter);
        if (!paintPages(&printer))
            return fail(QStringLiteral("The pages could not be painted."));
    }
    const ReadResult pages = ReadRegularFile(part, std::numeric_limits<qint64>::max() / 2);
    if (pages.problem != ReadResult::None)
        return fail(pages.error);
    const SaveError e = SaveFileContent(path, pages.bytes);
    if (e.failed())
        return fail(e.text());
    return true;
}

}  // namespace mv
