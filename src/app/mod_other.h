#pragma once

#include <QString>

// Start-up: names the application, keeps the maker's name for messages, creates and shows
// the main window.
namespace modOther {

inline const QString kApplicationTitle = QStringLiteral("梦鉴");
inline const QString kMakerName = QStringLiteral("睿蓝软件");

// Creates and shows the main window. On failure shows one box "错误：" + the description,
// titled with the maker's name, and returns false.
bool Main();

} // namespace modOther
