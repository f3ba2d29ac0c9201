#pragma once
// The help book: HTML pages built into the program, shown in a browser window
// with contents, back and forward.
#include <QWidget>

class QTextBrowser;

namespace mv {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget *parent = nullptr);
    // Shows the page (a file name of the book, "index.html" by default).
    void showPage(const QString &page = QStringLiteral("index.html"));
    QTextBrowser *browser() const { return m_browser; }

    // Where the book's pages are: the built-in copy.
    static QString bookRoot();

private:
    QTextBrowser *m_browser;
};

}  // namespace mv
