#pragma once
// Web pages and files opened with the desktop's default handler, and the maker's
// addresses.
#include <QString>
#include <functional>

namespace mv {

inline constexpr const char *kMakerWebPage = "https://memvault.example.org/";
inline constexpr const char *kMakerDownloadPage = "https://memvault.example.org/download/";

// Hands a web address or a file path to the desktop; any failure is ignored.
void OpenWithDesktop(const QString &target);

// Tests replace the desktop with a recorder; an empty function restores it.
void SetOpenWithDesktopHandler(std::function<void(const QString &)> handler);

}  // namespace mv
