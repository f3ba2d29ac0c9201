#include "shell/WindowLayout.h"

#include "Version.h"
#include "shell/SettingsStore.h"

#include <cmath>

namespace mv {

int TwipsToPixels(int twips, double dpi)
{
    if (dpi <= 0)
        dpi = 96;
    return int(std::lround(double(twips) * dpi / kTwipsPerInch));
}

int PixelsToTwips(int pixels, double dpi)
{
    if (dpi <= 0)
        dpi = 96;
    return int(std::lround(double(pixels) * kTwipsPerInch / dpi));
}

GridProfile GridProfileFor(const QString &name)
{
    if (name == QLatin1String("Normal"))
        return {QStringLiteral("Normal"), 8, 500, 1150};
    if (name == QLatin1String("Larger"))
        return {QStringLiteral("Larger"), 9, 550, 1180};
    return {QStringLiteral("Largest"), 10, 600, 1210};
}

MemoryWidths DefaultMemoryWidths(const GridProfile &profile)
{
    const int base = profile.column0Twips;
    MemoryWidths w;
    w.fill(base);
    w[4] = base + 400;
    w[6] = 3 * base;
    return w;
}

PmsWidths DefaultPmsWidths(const GridProfile &profile)
{
    const int base = profile.column0Twips;
    PmsWidths w;
    w.fill(base);
    w[4] = base + 400;
    return w;
}

static_assert(declarationOf(Setting::Column).first == 0 && declarationOf(Setting::Column).last == kMemoryColumns - 1);

bool StoredColumnWidths(const SettingsStore &settings, const MemoryWidths &current, MemoryWidths *out)
{
    const std::optional<int> first = settings.find<Setting::Column>(0);
    if (!first || *first == 999)
        return false;
    MemoryWidths w = current;
    for (int i = 0; i < kMemoryColumns; ++i) {
        const std::optional<int> v = settings.find<Setting::Column>(i);
        // A hand-edited zero or negative width would make the column vanish.
        if (v && *v > 0 && *v != 999)
            w[size_t(i)] = *v;
    }
    *out = w;
    return true;
}

void StoreColumnWidths(SettingsStore &settings, const MemoryWidths &widths)
{
    for (int i = 0; i < kMemoryColumns; ++i)
        settings.set<Setting::Column>(i, widths[size_t(i)]);
}

TwipsRect ForcedMainWindowRect(int screenWidthTwips, int screenHeightTwips)
{
    TwipsRect r;
    r.height = 7410;
    r.width = 11700;
    r.top = (screenHeightTwips - r.height) / 2;
    r.left = (screenWidthTwips - r.width) / 2;
    return r;
}

TwipsRect ForcedMessagesWindowRect() { return {2760, 0, 8130, 3060}; }

QString MainWindowCaption()
{
    return QStringLiteral("%1 V%2.%3.%4")
        .arg(QLatin1String(kProgramTitle))
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

QString VersionLabelText()
{
    return QStringLiteral("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

}  // namespace mv
