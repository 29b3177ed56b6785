#include "LocaleDateTimeTexts.h"

#include <utility>

namespace kvarnel {

LocaleDateTimeTexts::LocaleDateTimeTexts(QLocale locale, Clock now)
    : locale_(std::move(locale)), now_(std::move(now)) {
    if (!now_) now_ = [] { return QDateTime::currentDateTime(); };
}

std::string LocaleDateTimeTexts::timeText() {
    return locale_.toString(now_().time(), timeFormatFor(locale_)).toStdString();
}

std::string LocaleDateTimeTexts::dateText() {
    return locale_.toString(now_().date(), numericDateFormat(locale_.dateFormat(QLocale::ShortFormat)))
        .toStdString();
}

QString LocaleDateTimeTexts::numericDateFormat(const QString& format) {
    // Letter runs outside quotes are the fields: day "d"/"dd", month "M"/"MM"
    // ("MMM" and longer name the month), year "yy"/"yyyy".
    bool day = false, month = false, monthName = false, year = false, quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == u'\'') {
            quoted = !quoted;
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c) ++run;
        if (!quoted) {
            if (c == u'd' && run <= 2) day = true;
            if (c == u'M') (run <= 2 ? month : monthName) = true;
            if (c == u'y') year = true;
        }
        i += run;
    }
    if (day && month && year && !monthName) return format;
    // The C locale's "d MMM yyyy" gives "8 Dec 2026": written as day.month.year instead.
    return QStringLiteral("dd.MM.yyyy");
}

QString LocaleDateTimeTexts::timeFormatFor(const QLocale& locale) {
    // The long format is the one with seconds; it may carry a time zone.
    return withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
}

QString LocaleDateTimeTexts::withoutTimeZone(const QString& format) {
    QString result;
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'') quoted = !quoted;
        if (!quoted && c == u't') continue;
        result += c;
    }
    // Blanks left around the removed field (e.g. "h:mm:ss AP t", "t HH:mm:ss").
    result = result.trimmed();
    while (result.contains(QStringLiteral("  "))) result.replace(QStringLiteral("  "), QStringLiteral(" "));
    return result;
}

}  // namespace kvarnel
