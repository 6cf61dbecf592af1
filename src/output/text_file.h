// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Saving the report as a text file in code page 936.
namespace output {

// The name the save prompt offers: the folder (trimmed of spaces), the separator unless
// the folder already ends with it, the trimmed keyword, the seconds of the time of day
// without a leading zero, ".txt". For example "/home/li" + "蛇" at second 7: "/home/li/蛇7.txt".
[[nodiscard]] QString defaultReportPath(const QString &folder, const QString &keyword, int second,
                                        QChar separator);

// The folder to propose: the program's own when it may be written there, otherwise the
// user's documents folder (an installed program lives in a folder users cannot write).
[[nodiscard]] QString reportFolder();

struct WriteResult
{
    bool ok = false;
    QString error; // why not, in words for the user, when !ok
};

// Writes `text` as one quoted record: '"', the text in code page 936 (a character the
// code page cannot hold becomes "?"), '"', "\r\n". The file is written beside its final
// name and replaces it only when complete, so a failed write leaves an existing file as
// it was.
WriteResult WriteTextFile(const QString &path, const QString &text);

} // namespace output
