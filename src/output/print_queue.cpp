// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/print_queue.h"

#include <QFile>

#include <cups/cups.h>

#include <iterator>
#include <memory>

namespace output {
namespace {

struct DestFree
{
    void operator()(cups_dest_t *dest) const { cupsFreeDests(1, dest); }
};
struct IppFree
{
    void operator()(ipp_t *ipp) const { ippDelete(ipp); }
};

// A CUPS destination is named without its instance ("name/instance" keeps the options of
// one set of defaults).
QByteArray destName(const QString &queue)
{
    return queue.section(QLatin1Char('/'), 0, 0).toUtf8();
}

QString lastError()
{
    return QString::fromUtf8(cupsLastErrorString());
}

// "（reason）" after a sentence, or nothing when the print system gave no reason.
QString inParentheses(const QString &reason)
{
    return reason.isEmpty() ? QString() : QStringLiteral("（%1）").arg(reason);
}

} // namespace

QString queueRefusal(const QString &queue)
{
    const QByteArray name = destName(queue);
    const std::unique_ptr<cups_dest_t, DestFree> dest(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr));
    if (!dest)
        return QStringLiteral("打印机“%1”无法使用：%2").arg(queue, lastError());
    const char *uri = cupsGetOption("printer-uri-supported", dest->num_options, dest->options);
    if (!uri)
        return QStringLiteral("打印系统没有报告打印机“%1”的地址。").arg(queue);

    // The queue's state as the scheduler holds it now, with the reason an administrator
    // gave when rejecting or stopping it.
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char *const wanted[] = {"printer-is-accepting-jobs", "printer-state",
                                         "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(wanted)), nullptr, wanted);
    const std::unique_ptr<ipp_t, IppFree> response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
    if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING)
        return QStringLiteral("打印机“%1”无法使用：%2").arg(queue, lastError());

    ipp_attribute_t *message = ippFindAttribute(response.get(), "printer-state-message", IPP_TAG_TEXT);
    const QString reason = message ? QString::fromUtf8(ippGetString(message, 0, nullptr)).trimmed()
                                   : QString();
    ipp_attribute_t *accepting =
        ippFindAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    if (accepting && !ippGetBoolean(accepting, 0))
        return QStringLiteral("打印机“%1”拒绝接受打印任务%2。").arg(queue, inParentheses(reason));
    ipp_attribute_t *state = ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM);
    if (state && ippGetInteger(state, 0) == IPP_PSTATE_STOPPED)
        return QStringLiteral("打印机“%1”已停止%2。").arg(queue, inParentheses(reason));
    return {};
}

QString submitPdf(const QString &queue, const QString &pdfPath, const QString &title)
{
    cups_option_t *options = nullptr;
    const int count = cupsAddOption("media", "A4", 0, &options);
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, destName(queue).constData(),
                                   QFile::encodeName(pdfPath).constData(), title.toUtf8().constData(),
                                   count, options);
    cupsFreeOptions(count, options);
    if (job == 0)
        return QStringLiteral("打印系统没有接受打印任务：%1").arg(lastError());
    return {};
}

} // namespace output
