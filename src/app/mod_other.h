// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace ui {
class frmMain;
}

// Start-up: names the application, keeps the maker's name for messages, creates and shows
// the main window.
namespace modOther {

inline const QString kApplicationTitle = QStringLiteral("梦鉴");
// The names the windowing system and the desktop go by are ASCII: the application name is
// the class half of the X window's WM_CLASS (a Latin-1 property), which the desktop entry
// names in StartupWMClass; the desktop file name is the entry's own name.
inline const QString kApplicationName = QStringLiteral("mengjian");
inline const QString kDesktopFileName = QStringLiteral("org.example.ruilan.mengjian");
inline const QString kMakerName = QStringLiteral("睿蓝软件");

// Creates and shows the main window, at `keyword`'s result when one is given (as a keyword
// click shows it), and returns it. On failure shows one box "错误：" + the description,
// titled with the maker's name, and returns nullptr.
ui::frmMain *start(const QString &keyword = {});

} // namespace modOther
