#pragma once
// The memory print: "&Print" (preview, then the print dialog), "Export to PDF…"
// and "Select &Print options...". The pages come from LayoutMemoryPrint and are
// painted here with a fixed-pitch font, so that the print field widths of the
// columns line up on paper.
#include "print/PrintOptions.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QPrinter;
class QWidget;

namespace mv {

struct AppState;
class Dialogs;
class SettingsStore;
class PrintOptionsDialog;

class MemoryPrinter : public QObject {
    Q_OBJECT
public:
    MemoryPrinter(AppState &state, SettingsStore &settings, Dialogs &dialogs, QWidget *parent = nullptr);
    ~MemoryPrinter() override;

    // "&Print": the print preview, whose print button leads to the print dialog.
    // Refused with "No printer is available on this machine" when none is installed.
    void print();
    // The preview alone; works without a printer.
    void preview();
    // "Export to PDF…": asks for a file name and writes the pages to it.
    void exportPdf();
    // Writes the pages to a PDF file, replacing it only once the new one is
    // complete. False (after a message box) when the file could not be written.
    bool exportPdfTo(const QString &path);
    // "Select &Print options...": the options window, modally.
    void showOptions();

    // The options window, created (hidden) on first use from the stored settings.
    PrintOptionsDialog *optionsWindow();
    // The options in force (those of the options window).
    const PrintOptions &options();

    // "Memory print of " + the memory file's name.
    QString title() const;
    // Orientation and duplex of the options on a print job.
    void applyOptions(QPrinter &printer);
    // Paints all pages on a printer that is set up; false when painting could not start.
    bool paintPages(QPrinter *printer);

protected:
    virtual bool printerAvailable() const;

private:
    AppState &m_state;
    SettingsStore &m_settings;
    Dialogs &m_dialogs;
    QWidget *m_parent;
    PrintOptions m_options;
    QPointer<PrintOptionsDialog> m_window;
};

}  // namespace mv
