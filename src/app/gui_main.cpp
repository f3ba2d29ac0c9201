// memvault: the windowed program.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setObjectName("Form1");
    w.show();
    return app.exec();
}
