// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/controls/labelled_input.h"
#include "ui/controls/panel.h"
#include "ui/controls/title_bar.h"
#include "ui/controls/tool_button.h"
#include "ui/frm_main.h"
#include "ui/reference_label.h"
#include "ui/results_view.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <memory>

// The real main window of a window test, and its controls found by their object names, as
// a user's tools (and screen readers) find them.
class WindowUnderTest
{
protected:
    std::unique_ptr<ui::frmMain> m_window;

    ui::frmMain &w() { return *m_window; }

    // A fresh window, shown and active, with the focus in the keyword input as after start.
    void openWindow()
    {
        m_window = std::make_unique<ui::frmMain>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTRY_VERIFY(field()->hasFocus());
    }

    void closeWindow()
    {
        m_window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template<typename T>
    T *child(const QString &name) const
    {
        T *found = m_window->findChild<T *>(name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }
    ui::ResultsView *frmBack() const { return child<ui::ResultsView>(QStringLiteral("frmBack")); }
    QWidget *frmFore() const { return child<QWidget>(QStringLiteral("frmFore")); }
    QWidget *Frame1() const { return child<QWidget>(QStringLiteral("Frame1")); }
    QScrollBar *VScroll1() const { return child<QScrollBar>(QStringLiteral("VScroll1")); }
    QLabel *lblDscr() const { return child<QLabel>(QStringLiteral("lblDscr")); }
    ui::LabelledInput *txtWord() const { return child<ui::LabelledInput>(QStringLiteral("txtWord")); }
    ui::TitleBar *titleBar() const { return child<ui::TitleBar>(QStringLiteral("titleBar")); }
    ui::ToolButton *button(const QString &name) const { return child<ui::ToolButton>(name); }
    QLineEdit *field() const { return txtWord()->field(); }
    QString status() const { return child<ui::Panel>(QStringLiteral("statusBar"))->text(); }
    const QList<ui::ReferenceLabel *> &labels() const { return frmBack()->lblRefer(); }
};
