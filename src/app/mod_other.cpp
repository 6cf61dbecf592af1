// SPDX-License-Identifier: GPL-3.0-or-later
#include "mod_other.h"

#include "desktop/desktop.h"
#include "ui/frm_main.h"

#include <QApplication>
#include <QIcon>

namespace modOther {

namespace {

void showStartupError(const QString &description)
{
    desktop::current().showMessage(nullptr, kMakerName, QStringLiteral("错误：") + description,
                                   desktop::Icon::Critical);
}

} // namespace

ui::frmMain *start(const QString &keyword)
{
    // 梦鉴 is the name the user sees; the main window's title is that name already, so the
    // window system adds nothing to it.
    QApplication::setApplicationName(kApplicationName);
    QApplication::setApplicationDisplayName(kApplicationTitle);
    QApplication::setDesktopFileName(kDesktopFileName);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/ui/icon.svg")));

    auto *window = new ui::frmMain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (!keyword.isEmpty())
        window->keywordChosen(keyword);
    window->show();
    if (!window->isVisible()) {
        showStartupError(QStringLiteral("无法显示主窗口。"));
        delete window;
        return nullptr;
    }
    return window;
}

} // namespace modOther
