// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

// A real filesystem with no free space: a small tmpfs mounted over a temporary folder,
// with `seed` files written first and the rest filled up, or, as ReadOnly, mounted again
// read-only after the seed. Mounting needs root; a test that cannot have one skips with the
// reason. Unmounted when destroyed.
class FullDisk
{
public:
    enum Kind { Full, ReadOnly };

    explicit FullDisk(const QList<QPair<QString, QByteArray>> &seed = {}, Kind kind = Full)
    {
        if (::geteuid() != 0) {
            m_whyNot = QStringLiteral("mounting a full tmpfs needs root");
            return;
        }
        if (!m_dir.isValid()) {
            m_whyNot = QStringLiteral("no temporary folder");
            return;
        }
        if (QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=16k"), QStringLiteral("tmpfs"), m_dir.path()})
            != 0) {
            m_whyNot = QStringLiteral("mount -t tmpfs failed (no CAP_SYS_ADMIN here)");
            return;
        }
        m_mounted = true;
        for (const auto &[name, bytes] : seed) {
            QFile file(path(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
                m_whyNot = QStringLiteral("could not seed the tmpfs");
                return;
            }
        }
        if (kind == ReadOnly) {
            m_ready = QProcess::execute(QStringLiteral("mount"),
                                        {QStringLiteral("-o"), QStringLiteral("remount,ro"), m_dir.path()})
                      == 0;
            if (!m_ready)
                m_whyNot = QStringLiteral("could not mount the tmpfs again read-only");
            return;
        }
        QFile filler(path(QStringLiteral(".filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            m_whyNot = QStringLiteral("could not fill the tmpfs");
            return;
        }
        const QByteArray block(512, 'f');
        while (filler.write(block) == block.size()) { }
        // Fill the last bytes one by one so that not even a short write fits.
        while (filler.write("f", 1) == 1) { }
        m_ready = true;
    }

    ~FullDisk()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_dir.path()});
    }

    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    bool ready() const { return m_ready; }
    QString whyNot() const { return m_whyNot; }
    QString path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }
    // What the filesystem holds besides the filler.
    QStringList entries() const
    {
        QStringList names =
            QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
        names.removeAll(QStringLiteral(".filler"));
        return names;
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    bool m_ready = false;
    QString m_whyNot;
};
