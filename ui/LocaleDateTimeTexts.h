#pragma once
// The journal's date and time texts in the user's regional formats: the
// locale's short date, and hours:minutes:seconds with the locale's separator
// and its AM/PM designator where it uses a 12-hour clock, without a time zone.
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <functional>

#include "ResultRecord.h"

namespace kvarnel {

class LocaleDateTimeTexts : public DateTimeTexts {
public:
    using Clock = std::function<QDateTime()>;
    explicit LocaleDateTimeTexts(QLocale locale = QLocale::system(), Clock now = {});

    std::string timeText() override;
    std::string dateText() override;

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
