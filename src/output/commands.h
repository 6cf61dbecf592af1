// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/report.h"

#include <functional>

class QWidget;

// The window's output commands. Each reads the query state it is given, which the window
// takes from its controls at the moment of the click, and never changes the window.
namespace output {

using StatusSink = std::function<void(const QString &)>;

// True when a keyword was entered (the input holds more than spaces). Otherwise shows
// "请输入梦境关键字" in the status bar and in a warning box titled "提示", and returns false.
bool RequireKeyword(const QueryState &state, const StatusSink &showStatus, QWidget *owner);

// The report on the clipboard, nothing else with it.
void CopyReport(const QueryState &state, const StatusSink &showStatus, QWidget *owner);

// Asks for a file name (proposing DefaultReportPath) and writes the report there.
void SaveReport(const QueryState &state, const StatusSink &showStatus, QWidget *owner);

// Prints the report on the default printer, without a dialog. When the report does not reach
// the print system (no printer, a queue that refuses or is stopped, a failed submission) the
// status bar says "未能列印" and a warning box says why.
void PrintReport(const QueryState &state, const StatusSink &showStatus, QWidget *owner);

// Hands the maker's web address to the browser; a failure changes nothing.
void OpenMakerSite();

} // namespace output
