// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/desktop.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include <algorithm>

namespace desktop {
namespace {

// How many wrapped lines of the box one line of a message may fill at most.
constexpr int kWrappedLinesEach = 3;

// A message names what the user typed, and a name can be thousands of characters long
// (a path may have 4,096 bytes, a name typed into the prompt has no limit): a line of the
// text wider than a few lines of the box is shortened in the middle, where its beginning
// and its end stay readable, so that the box and its button stay on the screen.
QString fitToScreen(const QString &text, const QFontMetrics &metrics, const QWidget *owner)
{
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    // QMessageBox wraps its text at about half the screen's width, at most 500 pixels.
    const int lineWidth = std::min(available.width() / 2, 500);
    const int widest = lineWidth * kWrappedLinesEach;
    QStringList lines = text.split(u'\n');
    for (QString &line : lines) {
        if (metrics.horizontalAdvance(line) > widest)
            line = metrics.elidedText(line, Qt::ElideMiddle, widest);
    }
    return lines.join(u'\n');
}

class QtDesktop final : public Desktop
{
public:
    void showMessage(QWidget *owner, const QString &title, const QString &text, Icon icon) override
    {
        QMessageBox box(owner);
        box.setWindowTitle(title);
        box.setText(fitToScreen(text, box.fontMetrics(), owner));
        switch (icon) {
        case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
        case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
        }
        box.setStandardButtons(QMessageBox::Ok);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
        box.exec();
    }

    std::optional<QString> prompt(QWidget *owner, const QString &title, const QString &label,
                                  const QString &preset) override
    {
        QInputDialog dialog(owner);
        dialog.setWindowTitle(title);
        dialog.setLabelText(label);
        dialog.setTextValue(preset);
        dialog.setOkButtonText(QStringLiteral("确定"));
        dialog.setCancelButtonText(QStringLiteral("取消"));
        dialog.resize(std::max(dialog.sizeHint().width(), 420), dialog.sizeHint().height());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.textValue();
    }

    void setClipboardText(const QString &text) override
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(text);
    }

    std::unique_ptr<QPrinter> defaultPrinter() override
    {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return nullptr;
        return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }

    bool openUrl(const QUrl &url) override { return QDesktopServices::openUrl(url); }
};

Desktop *g_installed = nullptr;

} // namespace

Desktop &current()
{
    static QtDesktop qtDesktop;
    if (g_installed)
        return *g_installed;
    return qtDesktop;
}

void install(Desktop *desktop)
{
    g_installed = desktop;
}

} // namespace desktop
