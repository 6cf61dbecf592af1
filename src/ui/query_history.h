// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace ui {

// The queries of this session, for going back and forward: each entry is a keyword and
// the scroll position its result was left at. Nothing is kept beyond the run.
class QueryHistory
{
public:
    struct Entry
    {
        QString keyword;
        int scroll = 0;
        // The entry is the reading of the whole text (读梦), not the query for it.
        bool reading = false;

        friend bool operator==(const Entry &, const Entry &) = default;
    };

    static constexpr qsizetype kCapacity = 100;

    // A query for `keyword`, or its reading, ran. It becomes the current entry, at scroll
    // position 0, unless the current entry is the same text already (whose kind it then
    // takes: a reading shown over the query of the same text replaces it); the entries after the current
    // one are dropped first, and beyond the capacity the oldest entry goes. An empty keyword records
    // nothing.
    void record(const QString &keyword, bool reading = false);

    // Remembers where the current entry's result is scrolled to.
    void setScroll(int scroll);
    // Every remembered scroll position times numerator / denominator: the text of every
    // result grew or shrank by that ratio.
    void scaleScrolls(int numerator, int denominator);

    // Moves to the previous or the next entry and returns it; nothing when there is none.
    std::optional<Entry> back();
    std::optional<Entry> forward();

    [[nodiscard]] bool canGoBack() const { return m_current > 0; }
    [[nodiscard]] bool canGoForward() const { return m_current + 1 < m_entries.size(); }
    [[nodiscard]] const QList<Entry> &entries() const { return m_entries; }
    // The position of the current entry in entries(); -1 before the first query.
    [[nodiscard]] qsizetype currentIndex() const { return m_current; }

private:
    QList<Entry> m_entries;
    qsizetype m_current = -1;
};

} // namespace ui
