// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ui {

// Makes the window's own controls known to assistive technology (screen readers) for what
// they are: the main window a frame, each keyword label a link whose press action runs its
// query, a panel what its accessibleRole() says (the status bar a status bar), the
// announcer a notification. Installs itself once per process; the window calls it before
// it creates its controls.
void installAccessibleInterfaces();

} // namespace ui
