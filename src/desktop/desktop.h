// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>
#include <optional>

class QPrinter;
class QUrl;
class QWidget;

// Every modal or outside effect of the program goes through this one seam: message boxes,
// the text prompt, the clipboard, the default printer and the browser. The real one wraps
// Qt; tests install a scripted one.
namespace desktop {

enum class Icon { None, Information, Warning, Critical };

class Desktop
{
public:
    virtual ~Desktop() = default;

    // A modal box with one OK button. Arguments in Qt's order: title, then text.
    virtual void showMessage(QWidget *owner, const QString &title, const QString &text, Icon icon) = 0;

    // A modal text prompt with OK and Cancel, `preset` in its field; std::nullopt after
    // Cancel. Arguments in Qt's order: title, then label.
    virtual std::optional<QString> prompt(QWidget *owner, const QString &title, const QString &label,
                                          const QString &preset) = 0;

    // Empties the clipboard of every format, then puts `text` on it as plain text.
    virtual void setClipboardText(const QString &text) = 0;

    // The default printer, ready for a document; nullptr when there is none.
    virtual std::unique_ptr<QPrinter> defaultPrinter() = 0;

    // Hands an address to the desktop's browser; false when nothing took it.
    virtual bool openUrl(const QUrl &url) = 0;
};

// The desktop in use: the Qt one unless a test installed another. install(nullptr) puts
// the Qt one back. The caller keeps ownership of what it installs.
Desktop &current();
void install(Desktop *desktop);

} // namespace desktop
