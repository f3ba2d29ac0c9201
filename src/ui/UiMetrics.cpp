#include "ui/UiMetrics.h"

#include "shell/WindowLayout.h"

#include <QWidget>

namespace mv {

int TwipsX(const QWidget *w, int twips) { return TwipsToPixels(twips, w->logicalDpiX()); }

int TwipsY(const QWidget *w, int twips) { return TwipsToPixels(twips, w->logicalDpiY()); }

int PixelsToTwipsX(const QWidget *w, int pixels) { return PixelsToTwips(pixels, w->logicalDpiX()); }

int PixelsToTwipsY(const QWidget *w, int pixels) { return PixelsToTwips(pixels, w->logicalDpiY()); }

QFont UserInterfaceFont()
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(8);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

void ApplyUserInterfaceFont(QWidget *window)
{
    const QFont f = UserInterfaceFont();
    window->setFont(f);
    // Controls that were given a font of their own keep it unless told again.
    const auto children = window->findChildren<QWidget *>();
    for (QWidget *child : children) {
        if (child->testAttribute(Qt::WA_SetFont) && !child->property("keepFont").toBool()) {
            QFont own = child->font();
            own.setFamily(f.family());
            child->setFont(own);
        }
    }
}

}  // namespace mv
