#include "print/PrintOptions.h"

#include "shell/SettingsStore.h"

namespace mv {

namespace {

constexpr int kWidths[PrintOptions::kColumnCount] = {10, 6, 7, 9, 6, 15};
constexpr const char *kCaptions[PrintOptions::kColumnCount]
    = {"Frequency (10)", "Mode (6)", "Repeater shift (7)", "Encoding method (9)", "CTCSS tone (6)", "Description (15)"};
constexpr const char *kHeadings[PrintOptions::kColumnCount]
    = {"RX Freq   ", "Mode  ", "Shift  ", "Decode  ", "Tone  ", "Description    "};

bool validColumn(int column) { return column >= 0 && column < PrintOptions::kColumnCount; }

}  // namespace

int PrintOptions::width() const
{
    int sum = 0;
    for (int i = 0; i < kColumnCount; ++i)
        if (columns[size_t(i)])
            sum += kWidths[i];
    return sum;
}

int PrintOptions::columnWidth(int column) { return validColumn(column) ? kWidths[column] : 0; }

QString PrintOptions::columnCaption(int column)
{
    return validColumn(column) ? QString::fromLatin1(kCaptions[column]) : QString();
}

QString PrintOptions::columnHeading(int column)
{
    return validColumn(column) ? QString::fromLatin1(kHeadings[column]) : QString();
}

QString PrintOptions::widthLabel(int width) { return QStringLiteral("Width=") + QString::number(width); }

QStringList PrintOptions::topMarginItems()
{
    return {QStringLiteral("Minimum"), QStringLiteral("1/4 inch"), QStringLiteral("1/2 inch"),
            QStringLiteral("3/4 inch"), QStringLiteral("1 inch")};
}

int PrintOptions::topMarginTwips(const QString &text)
{
    // A quarter inch (360 twips) per step, 200 twips short of the nominal
    // distance because the printable area already starts that far down.
    if (text == QLatin1String("Minimum"))
        return 0;
    if (text == QLatin1String("1/4 inch"))
        return 160;
    if (text == QLatin1String("1/2 inch"))
        return 520;
    if (text == QLatin1String("3/4 inch"))
        return 880;
    return 1240;
}

QString PrintOptions::topMarginItem(const QString &text)
{
    const QStringList items = topMarginItems();
    return items.contains(text) ? text : items.last();
}

// Column i is the setting PrintCol i + 1.
static_assert(declarationOf(Setting::PrintCol).first == 1
              && declarationOf(Setting::PrintCol).last == PrintOptions::kColumnCount);

PrintOptions LoadPrintOptions(const SettingsStore &settings)
{
    PrintOptions o;
    for (int i = 0; i < PrintOptions::kColumnCount; ++i)
        o.columns[size_t(i)] = settings.get<Setting::PrintCol>(i + 1) != 0;
    o.PrintLandscape = settings.get<Setting::Landscape>();
    o.PrintDuplex = settings.get<Setting::Duplex>();
    // A hand-edited text that is not one of the list items shows as the item
    // whose margin it stands for, so that the list and the margin agree.
    o.topMarginText = PrintOptions::topMarginItem(settings.get<Setting::TopMargin>());
    o.PrintTopMargin = PrintOptions::topMarginTwips(o.topMarginText);
    return o;
}

void StorePrintOptions(SettingsStore &settings, const PrintOptions &options)
{
    for (int i = 0; i < PrintOptions::kColumnCount; ++i)
        settings.set<Setting::PrintCol>(i + 1, options.columns[size_t(i)] ? 1 : 0);
    settings.set<Setting::Landscape>(options.PrintLandscape);
    settings.set<Setting::Duplex>(options.PrintDuplex);
    settings.set<Setting::TopMargin>(options.topMarginText);
}

}  // namespace mv
