// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/query_history.h"

namespace ui {

void QueryHistory::record(const QString &keyword, bool reading)
{
    if (keyword.isEmpty())
        return;
    if (m_current >= 0 && m_entries[m_current].keyword == keyword) {
        m_entries[m_current].scroll = 0; // the query ran again and starts at the top
        m_entries[m_current].reading = reading;
        return;
    }
    m_entries.resize(m_current + 1);
    m_entries.append({keyword, 0, reading});
    if (m_entries.size() > kCapacity)
        m_entries.remove(0, m_entries.size() - kCapacity);
    m_current = m_entries.size() - 1;
}

void QueryHistory::setScroll(int scroll)
{
    if (m_current >= 0)
        m_entries[m_current].scroll = scroll;
}

void QueryHistory::scaleScrolls(int numerator, int denominator)
{
    if (denominator <= 0)
        return;
    for (Entry &e : m_entries)
        e.scroll = int(qint64(e.scroll) * numerator / denominator);
}

std::optional<QueryHistory::Entry> QueryHistory::back()
{
    if (!canGoBack())
        return std::nullopt;
    return m_entries[--m_current];
}

std::optional<QueryHistory::Entry> QueryHistory::forward()
{
    if (!canGoForward())
        return std::nullopt;
    return m_entries[++m_current];
}

} // namespace ui
