#pragma once
// The about window (frmAbout): title, version, a line on what the program is,
// the maker's web page as a link, OK.
#include <QDialog>

namespace mv {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent = nullptr);
    static QString description();
};

}  // namespace mv
