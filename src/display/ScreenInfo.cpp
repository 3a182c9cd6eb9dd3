#include "ScreenInfo.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

// The product a User-Agent names first among those that also carry the names of others, and its major version.
QString ScreenInfo::browserName(const QByteArray& userAgent)
{
    struct Product
    {
        const char* token;
        const char* name;
    };
    static constexpr Product Products[] = {
        {"Edg", "Edge"},        {"OPR", "Opera"},         {"SamsungBrowser", "Samsung"},
        {"Firefox", "Firefox"}, {"Chromium", "Chromium"}, {"HeadlessChrome", "Headless Chrome"},
        {"Chrome", "Chrome"},   {"Version", "Safari"}};
    const QString text = QString::fromLatin1(userAgent.left(512));
    for (const Product& product : Products) {
        static const QString Pattern = u"(?:^|[ (;])%1/(\\d{1,4})"_s;
        const QRegularExpression expression(Pattern.arg(QString::fromLatin1(product.token)));
        const QRegularExpressionMatch match = expression.match(text);
        if (match.hasMatch() && (qstrcmp(product.token, "Version") != 0 || text.contains(u"Safari/"_s)))
            return QString::fromLatin1(product.name) + u' ' + match.captured(1);
    }
    QString shown = text.left(40).simplified();
    shown.removeIf([](QChar c) { return !c.isPrint(); });
    return shown.isEmpty() ? u"unknown"_s : shown;
}
