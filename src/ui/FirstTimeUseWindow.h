#pragma once
// The first-run window "First time use": a welcome, a pointer to the help, and
// "Don't show this screen again".
#include <QDialog>

class QCheckBox;

namespace mv {

class SettingsStore;

class FirstTimeUseWindow : public QDialog {
    Q_OBJECT
public:
    FirstTimeUseWindow(SettingsStore &settings, QWidget *parent = nullptr);

private:
    SettingsStore &m_settings;
    QCheckBox *m_dontShow;
};

}  // namespace mv
