#include "output/text_file.h"

#include "text/gbk.h"
#include "text/trim.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace output {

QString DefaultReportPath(const QString &folder, const QString &keyword, int second, QChar separator)
{
    QString path = text::TrimSpaces(folder);
    if (!path.endsWith(separator))
        path += separator;
    path += text::TrimSpaces(keyword);
    path += QString::number(second);
    path += QStringLiteral(".txt");
    return path;
}

QString ReportFolder()
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

QString Reason(const QString &path, const QString &qtReason)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("这是一个文件夹，不是文件。");
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return QStringLiteral("文件夹“%1”不存在。").arg(QDir::toNativeSeparators(folder.filePath()));
    if (!folder.isWritable() || (info.exists() && !info.isWritable()))
        return QStringLiteral("没有写入权限。");
    return qtReason;
}

} // namespace

WriteResult WriteTextFile(const QString &path, const QString &text)
{
    if (path.isEmpty())
        return {false, QStringLiteral("文件名为空。")};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, Reason(path, file.errorString())};
    QByteArray record;
    record.reserve(text.size() * 2 + 4);
    record += '"';
    record += text::EncodeGbk(text);
    record += "\"\r\n";
    if (file.write(record) != record.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, Reason(path, reason)};
    }
    if (!file.commit())
        return {false, Reason(path, file.errorString())};
    return {true, {}};
}

} // namespace output
