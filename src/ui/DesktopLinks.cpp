#include "ui/DesktopLinks.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace mv {

namespace {
std::function<void(const QString &)> &handler()
{
    static std::function<void(const QString &)> h;
    return h;
}
}  // namespace

void SetOpenWithDesktopHandler(std::function<void(const QString &)> h) { handler() = std::move(h); }

void OpenWithDesktop(const QString &target)
{
    if (handler()) {
        handler()(target);
        return;
    }
    if (target.isEmpty())
        return;
    QUrl url(target);
    if (url.scheme().isEmpty() || url.scheme().size() == 1)  // a path (or a drive letter)
        url = QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    QDesktopServices::openUrl(url);  // the result is deliberately ignored
}

}  // namespace mv
