#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The result report: the plain-text account of the result on screen that the copy, save
// and print commands hand out.
namespace output {

// What the window shows at the moment of a command.
struct QueryState
{
    QString keyword;        // the keyword input's text, untrimmed
    QString resultText;     // the result label's text, exactly as shown
    QStringList references; // the captions of the shown keyword labels, in order
};

using StatusSink = std::function<void(const QString &)>;

// True when a keyword was entered (the input holds more than spaces). Otherwise shows
// "请输入梦境关键字" in the status bar and in a warning box titled "提示", and returns false.
bool RequireKeyword(const QueryState &state, const StatusSink &showStatus, QWidget *owner);

// The report, every line ending in "\r\n", the last one included.
[[nodiscard]] QString ComposeReport(const QueryState &state);

} // namespace output
