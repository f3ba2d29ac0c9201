#include "ui/PrintOptionsDialog.h"

#include "shell/SettingsStore.h"
#include "ui/UiMetrics.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mv {

PrintOptionsDialog::PrintOptionsDialog(SettingsStore &settings, PrintOptions &options, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_options(options)
{
    setObjectName(QStringLiteral("frmSelectPrintColumns"));
    setWindowTitle(QStringLiteral("Select memory columns to print"));
    setModal(true);
    auto *columnsLabel = new QLabel(QStringLiteral("Memory column (print field width)"), this);
    columnsLabel->setObjectName(QStringLiteral("lblColumns"));
    auto *columnsBox = new QVBoxLayout;
    columnsBox->addWidget(columnsLabel);
    for (int i = 0; i < PrintOptions::kColumnCount; ++i) {
        auto *box = new QCheckBox(PrintOptions::columnCaption(i), this);
        box->setObjectName(QStringLiteral("Check1_%1").arg(i));
        box->setProperty("index", i);
        connect(box, &QCheckBox::toggled, this, &PrintOptionsDialog::updateWidthLabel);
        m_check1[size_t(i)] = box;
        columnsBox->addWidget(box);
    }
    m_lblWidth = new QLabel(this);
    m_lblWidth->setObjectName(QStringLiteral("lblWidth"));
    columnsBox->addWidget(m_lblWidth);
    columnsBox->addStretch();

    auto *orientation = new QGroupBox(QStringLiteral("Print orientation"), this);
    orientation->setObjectName(QStringLiteral("fraOrientation"));
    m_optPortrait = new QRadioButton(QStringLiteral("Portrait"), orientation);
    m_optPortrait->setObjectName(QStringLiteral("optOrientation_0"));
    m_optLandscape = new QRadioButton(QStringLiteral("Landscape"), orientation);
    m_optLandscape->setObjectName(QStringLiteral("optOrientation_1"));
    auto *group = new QButtonGroup(this);
    group->addButton(m_optPortrait, 0);
    group->addButton(m_optLandscape, 1);
    auto *orientationBox = new QVBoxLayout(orientation);
    orientationBox->addWidget(m_optPortrait);
    orientationBox->addWidget(m_optLandscape);

    m_chkDuplex = new QCheckBox(QStringLiteral("Print duplex"), this);
    m_chkDuplex->setObjectName(QStringLiteral("chkDuplex"));

    auto *marginLabel = new QLabel(QStringLiteral("Top margin"), this);
    marginLabel->setObjectName(QStringLiteral("lblTopMargin"));
    m_cboTopMargin = new QComboBox(this);
    m_cboTopMargin->setObjectName(QStringLiteral("cboTopMargin"));
    m_cboTopMargin->addItems(PrintOptions::topMarginItems());
    marginLabel->setBuddy(m_cboTopMargin);

    auto *pageBox = new QVBoxLayout;
    pageBox->addWidget(orientation);
    pageBox->addWidget(m_chkDuplex);
    pageBox->addWidget(marginLabel);
    pageBox->addWidget(m_cboTopMargin);
    pageBox->addStretch();

    auto *cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto *cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, &PrintOptionsDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &PrintOptionsDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto *top = new QHBoxLayout;
    top->addLayout(columnsBox);
    top->addSpacing(12);
    top->addLayout(pageBox);
    auto *main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addLayout(buttons);

    ApplyUserInterfaceFont(this);
    LoadPrintOptions();
}

void PrintOptionsDialog::LoadPrintOptions()
{
    m_options = mv::LoadPrintOptions(m_settings);
    for (int i = 0; i < PrintOptions::kColumnCount; ++i)
        m_check1[size_t(i)]->setChecked(m_options.columns[size_t(i)]);
    m_cboTopMargin->setCurrentIndex(m_cboTopMargin->findText(m_options.topMarginText));
    (m_options.PrintLandscape ? m_optLandscape : m_optPortrait)->setChecked(true);
    m_chkDuplex->setChecked(m_options.PrintDuplex);
    updateWidthLabel();
}

void PrintOptionsDialog::accept()
{
    for (int i = 0; i < PrintOptions::kColumnCount; ++i)
        m_options.columns[size_t(i)] = m_check1[size_t(i)]->isChecked();
    m_options.PrintLandscape = m_optLandscape->isChecked();
    m_options.PrintDuplex = m_chkDuplex->isChecked();
    m_options.topMarginText = m_cboTopMargin->currentText();
    m_options.PrintTopMargin = PrintOptions::topMarginTwips(m_options.topMarginText);
    StorePrintOptions(m_settings, m_options);
    QDialog::accept();
}

void PrintOptionsDialog::reject()
{
    LoadPrintOptions();
    QDialog::reject();
}

void PrintOptionsDialog::updateWidthLabel()
{
    PrintOptions shown;
    for (int i = 0; i < PrintOptions::kColumnCount; ++i)
        shown.columns[size_t(i)] = m_check1[size_t(i)]->isChecked();
    m_lblWidth->setText(PrintOptions::widthLabel(shown.width()));
}

}  // namespace mv
