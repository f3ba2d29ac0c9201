#pragma once
// Twips to pixels for a widget's screen, and the user-interface font that every
// window of the program gets when it loads.
#include <QFont>

class QWidget;

namespace mv {

int TwipsX(const QWidget *w, int twips);
int TwipsY(const QWidget *w, int twips);
int PixelsToTwipsX(const QWidget *w, int pixels);
int PixelsToTwipsY(const QWidget *w, int pixels);

// "Tahoma", 8 pt (the system substitutes a similar face where Tahoma is missing).
QFont UserInterfaceFont();
// Gives the window and every control in it the user-interface font.
void ApplyUserInterfaceFont(QWidget *window);

}  // namespace mv
