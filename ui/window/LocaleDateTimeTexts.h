#pragma once
// The journal's date and time texts in the user's regional formats: the
// locale's short date (dd.MM.yyyy where that is not all numbers), and hours:minutes:seconds with the locale's separator
// and its AM/PM designator where it uses a 12-hour clock, without a time zone.
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <functional>

#include "core/ResultRecord.h"

namespace kvarnel {

class LocaleDateTimeTexts : public DateTimeTexts {
public:
    using Clock = std::function<QDateTime()>;
    explicit LocaleDateTimeTexts(QLocale locale = QLocale::system(), Clock now = {});

    std::string timeText() override;
    std::string dateText() override;

    // A locale's short date format when it writes day, month and year as
    // numbers; otherwise (the C locale's "d MMM yyyy") "dd.MM.yyyy".
    static QString numericDateFormat(const QString& shortFormat);
    // The locale's long time format with its time-zone fields removed.
    static QString timeFormatFor(const QLocale& locale);
    // A time format without time-zone fields ('t' outside quotes) and the
    // blanks that separated them from the rest.
    static QString withoutTimeZone(const QString& format);

private:
    QLocale locale_;
    Clock now_;
};

}  // namespace kvarnel
