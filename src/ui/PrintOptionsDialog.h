#pragma once
// "Select memory columns to print": the six print columns with their field
// widths, orientation, duplex and top margin. Created once and hidden by OK and
// Cancel; it edits the PrintOptions value that the memory print reads.
//
// Object names: the column boxes are "Check1_0" .. "Check1_5" (Check1 index 0
// to 5), the orientation buttons "optOrientation_0" (Portrait) and
// "optOrientation_1" (Landscape); the others carry their plain names (lblWidth,
// chkDuplex, cboTopMargin, cmdOK, cmdCancel).
#include "print/PrintOptions.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace mv {

class SettingsStore;

class PrintOptionsDialog : public QDialog {
    Q_OBJECT
public:
    PrintOptionsDialog(SettingsStore &settings, PrintOptions &options, QWidget *parent = nullptr);

    // Options and controls from the settings store; every change made in the
    // window is discarded.
    void LoadPrintOptions();

    QCheckBox *Check1(int index) const { return m_check1[size_t(index)]; }

public slots:
    // cmdOK: stores the choices and makes them the print options.
    void accept() override;
    // cmdCancel, Escape and closing the window.
    void reject() override;

private:
    void updateWidthLabel();

    SettingsStore &m_settings;
    PrintOptions &m_options;
    std::array<QCheckBox *, PrintOptions::kColumnCount> m_check1{};
    QLabel *m_lblWidth = nullptr;
    QRadioButton *m_optPortrait = nullptr;
    QRadioButton *m_optLandscape = nullptr;
    QCheckBox *m_chkDuplex = nullptr;
    QComboBox *m_cboTopMargin = nullptr;
};

}  // namespace mv
