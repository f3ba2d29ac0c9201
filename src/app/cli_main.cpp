// memvault-cli: the command-line front end on the same logic as the window.
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::fprintf(stderr, "usage: memvault-cli COMMAND ...\n");
    return 2;
}
