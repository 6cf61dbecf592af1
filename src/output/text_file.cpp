// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/text_file.h"

#include "text/gbk.h"
#include "text/trim.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <linux/magic.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace output {

QString defaultReportPath(const QString &folder, const QString &keyword, int second, QChar separator)
{
    QString path = text::trimSpaces(folder);
    if (!path.endsWith(separator))
        path += separator;
    path += text::trimSpaces(keyword);
    path += QString::number(second);
    path += QStringLiteral(".txt");
    return path;
}

QString reportFolder()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QFileInfo info(programFolder);
    if (!programFolder.isEmpty() && info.isDir() && info.isWritable())
        return QDir::toNativeSeparators(programFolder);
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QFileInfo(documents).isDir())
        documents = QDir::homePath();
    return QDir::toNativeSeparators(documents);
}

namespace {

// The causes of a failed write that users meet, in their own words; empty for a cause
// not named here. The system words its causes in the language of the C library, which on
// most machines is English.
QString describeCause(int errnum)
{
    switch (errnum) {
    case ENOENT: return QStringLiteral("文件夹不存在。");
    case EACCES:
    case EPERM: return QStringLiteral("没有写入权限。");
    case EROFS: return QStringLiteral("这个磁盘是只读的，不能写入。");
    case ENOSPC: return QStringLiteral("磁盘已满，没有足够的空间。");
    case EDQUOT: return QStringLiteral("已超出磁盘配额，没有足够的空间。");
    case ENAMETOOLONG: return QStringLiteral("文件名太长。");
    case EISDIR: return QStringLiteral("这是一个文件夹，不是文件。");
    case ENOTDIR: return QStringLiteral("路径中有一部分不是文件夹。");
    case EINVAL:
    case EILSEQ: return QStringLiteral("文件名无效。");
    case EIO: return QStringLiteral("读写磁盘时出错。");
    case EFBIG: return QStringLiteral("文件太大。");
    case EMFILE:
    case ENFILE: return QStringLiteral("打开的文件太多。");
    case ETXTBSY:
    case EBUSY: return QStringLiteral("文件正被占用。");
    default: return {};
    }
}

// Qt reports a failed file operation in the C library's words for its cause: finds the
// cause that reads so and names it in Chinese, or keeps the system's words for a cause
// not named here.
QString translateCause(const QString &systemReason)
{
    static constexpr int kKnown[] = {ENOENT,       EACCES, EPERM,   EROFS,   ENOSPC, EDQUOT,
                                     ENAMETOOLONG, EISDIR, ENOTDIR, EINVAL,  EILSEQ, EIO,
                                     EFBIG,        EMFILE, ENFILE,  ETXTBSY, EBUSY};
    for (const int errnum : kKnown) {
        const char *english = strerrordesc_np(errnum);
        if ((english && systemReason.contains(QString::fromUtf8(english), Qt::CaseInsensitive))
            || systemReason.contains(QString::fromLocal8Bit(strerror(errnum)), Qt::CaseInsensitive))
            return describeCause(errnum);
    }
    return systemReason;
}

// The folder the kernel shows its own state in when `folder` lies on one of its virtual
// filesystems (/proc, or /sys and what is mounted under it), where no file can be saved;
// empty for a real filesystem.
QString kernelFolder(const QString &folder)
{
    struct statfs fs = {};
    if (::statfs(QFile::encodeName(folder).constData(), &fs) != 0)
        return {};
    switch (static_cast<unsigned long>(fs.f_type)) {
    case PROC_SUPER_MAGIC: return QStringLiteral("/proc");
    case SYSFS_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case BPF_FS_MAGIC:
    case PSTOREFS_MAGIC:
    case EFIVARFS_MAGIC: return QStringLiteral("/sys");
    default: return {};
    }
}

bool onReadOnlyFilesystem(const QString &folder)
{
    struct statvfs fs = {};
    return ::statvfs(QFile::encodeName(folder).constData(), &fs) == 0 && (fs.f_flag & ST_RDONLY) != 0;
}

// Why a write failed, in the user's words. The folder's filesystem is asked before its
// permissions: a read-only mount and the kernel's folders refuse every user, root too,
// whatever their permissions say, and the system's own reason for them misleads (creating
// a file under /proc fails with "No such file or directory").
QString failureReason(const QString &path, const QString &systemReason)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("这是一个文件夹，不是文件。");
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return QStringLiteral("文件夹“%1”不存在。").arg(QDir::toNativeSeparators(folder.filePath()));
    const QString kernel = kernelFolder(folder.filePath());
    if (!kernel.isEmpty())
        return QStringLiteral("“%1”及其中的文件夹由系统内核提供，不能在这里保存文件。").arg(kernel);
    if (onReadOnlyFilesystem(folder.filePath()))
        return describeCause(EROFS);
    if (!folder.isWritable() || (info.exists() && !info.isWritable()))
        return QStringLiteral("没有写入权限。");
    return translateCause(systemReason);
}

} // namespace

WriteResult WriteTextFile(const QString &path, const QString &text)
{
    if (path.isEmpty())
        return {false, QStringLiteral("文件名为空。")};
    QByteArray record;
    record.reserve(text.size() * 2 + 4);
    record += '"';
    record += text::encodeGbk(text);
    record += "\"\r\n";

    // Written unbuffered so that a full disk or an I/O error shows at the write itself:
    // a buffered write fails only in the flush inside commit(), which does not report it,
    // and the incomplete file would then replace the old one. The data is synced before
    // the file takes its final name, since some filesystems refuse blocks only then.
    // Leaving early without commit() removes the temporary file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {false, failureReason(path, file.errorString())};
    if (file.write(record) != record.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, failureReason(path, reason)};
    }
    if (::fsync(file.handle()) != 0) {
        // EINVAL and EROFS: the file cannot be synced at all, which is no failure to write.
        const int errnum = errno;
        if (errnum != EINVAL && errnum != EROFS) {
            file.cancelWriting();
            const QString reason = describeCause(errnum);
            return {false, reason.isEmpty() ? QString::fromLocal8Bit(strerror(errnum)) : reason};
        }
    }
    if (file.size() != record.size()) {
        file.cancelWriting();
        return {false, QStringLiteral("文件没有完整写入。")};
    }
    if (!file.commit())
        return {false, failureReason(path, file.errorString())};
    return {true, {}};
}

} // namespace output
