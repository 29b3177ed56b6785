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
    return locale_.toString(now_().date(), QLocale::ShortFormat).toStdString();
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
