#include "platform/DateTimeServices.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace DateTimeServices;

namespace {
CivilDateTime dt(int y, int mo, int d, int h, int mi, int s)
{
    return CivilDateTime(QDate(y, mo, d), QTime(h, mi, s));
}
} // namespace

class TestDateTime : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<CivilDateTime>("value");
        QTest::addColumn<QString>("text");
        const QString longForm = u"mmmm dd, yyyy   h:mm:ss AM/PM"_s;
        const QString shortForm = u"mmmm d, yyyy   h:mm:ss AM/PM"_s;
        QTest::newRow("target, two-digit day, afternoon")
            << longForm << dt(2001, 5, 3, 14, 5, 0) << u"May 03, 2001   2:05:00 PM"_s;
        QTest::newRow("target, one-digit day")
            << shortForm << dt(2001, 5, 3, 10, 30, 0) << u"May 3, 2001   10:30:00 AM"_s;
        QTest::newRow("midnight is 12 AM")
            << shortForm << dt(2001, 12, 31, 0, 0, 7) << u"December 31, 2001   12:00:07 AM"_s;
        QTest::newRow("noon is 12 PM") << longForm << dt(2024, 2, 29, 12, 59, 59)
                                       << u"February 29, 2024   12:59:59 PM"_s;
        QTest::newRow("general date") << QString() << dt(2001, 5, 3, 23, 4, 5) << u"5/3/2001 11:04:05 PM"_s;
    }

    // Every form the program writes parses back to the same second.
    void roundTrip()
    {
        QFETCH(QString, pattern);
        QFETCH(CivilDateTime, value);
        QFETCH(QString, text);
        const QString written = pattern.isEmpty() ? formatGeneral(value) : format(value, pattern);
        QCOMPARE(written, text);
        const auto back = parseDateTime(written);
        QVERIFY(back);
        QCOMPARE(back->secsSinceEpoch(), value.secsSinceEpoch());
    }

    void dateForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // invalid: not a valid date
        QTest::newRow("written form") << u"May 3, 2001"_s << QDate(2001, 5, 3);
        QTest::newRow("full name, leading zero") << u"May 03, 2001"_s << QDate(2001, 5, 3);
        QTest::newRow("abbreviated") << u"Sep 9, 2001"_s << QDate(2001, 9, 9);
        QTest::newRow("full name") << u"September 9, 2001"_s << QDate(2001, 9, 9);
        QTest::newRow("MM/DD/YYYY") << u"05/03/2001"_s << QDate(2001, 5, 3);
        QTest::newRow("M/D/YYYY") << u"5/3/2001"_s << QDate(2001, 5, 3);
        QTest::newRow("leap day") << u"2/29/2024"_s << QDate(2024, 2, 29);
        QTest::newRow("impossible month and day") << u"13/45/2001"_s << QDate();
        QTest::newRow("February 30") << u"Feb 30, 2001"_s << QDate();
        QTest::newRow("no leap day") << u"2/29/2001"_s << QDate();
        QTest::newRow("two-digit year") << u"5/3/01"_s << QDate();
        QTest::newRow("with a time of day") << u"5/3/2001 10:30:00 AM"_s << QDate();
        QTest::newRow("a word") << u"tomorrow"_s << QDate();
        QTest::newRow("empty") << QString() << QDate();
    }

    void dateForms()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(isValidDate(text), date.isValid());
        if (date.isValid()) {
            QCOMPARE(*parseDate(text), date);
            // The form the program writes back into the date field reads as the same date.
            QCOMPARE(parseDate(format(CivilDateTime(date, QTime(0, 0)), u"mmm d, yyyy")), date);
        }
    }

    void durations()
    {
        QCOMPARE(parseTimeOfDay(u"1:30:00"), 5400);
        QCOMPARE(parseTimeOfDay(u"01:30:00"), 5400);
        QCOMPARE(parseTimeOfDay(u"0:00:45"), 45);
        QCOMPARE(parseTimeOfDay(u"23:59:59"), 86399);
        QCOMPARE(parseTimeOfDay(u"24:00:00"), std::nullopt);
        QCOMPARE(parseTimeOfDay(u"1:60:00"), std::nullopt);
        QCOMPARE(parseTimeOfDay(u"abc"), std::nullopt);
        QCOMPARE(format(CivilDateTime::fromSecsSinceEpoch(5400), u"h:mm:ss"), u"1:30:00"_s);
        QCOMPARE(format(CivilDateTime::fromSecsSinceEpoch(59), u"hh:mm:ss"), u"00:00:59"_s);
    }

    void arithmetic()
    {
        // Back across midnight.
        QCOMPARE(add(Interval::Minutes, -45, dt(2001, 5, 3, 0, 20, 0)), dt(2001, 5, 2, 23, 35, 0));
        QCOMPARE(dt(2001, 5, 3, 10, 30, 0).addSecs(timeOf(0, 0, -5)), dt(2001, 5, 3, 10, 29, 55));
        // Forward across a month end and a year end.
        QCOMPARE(add(Interval::Minutes, 5, dt(2001, 5, 31, 23, 58, 0)), dt(2001, 6, 1, 0, 3, 0));
        QCOMPARE(add(Interval::Days, 1, dt(2001, 12, 31, 8, 0, 0)), dt(2002, 1, 1, 8, 0, 0));
        QCOMPARE(add(Interval::Seconds, 93784, dt(2001, 5, 3, 10, 30, 0)), dt(2001, 5, 4, 12, 33, 4));
        QCOMPARE(add(Interval::Days, -1, dt(2000, 3, 1, 0, 0, 0)), dt(2000, 2, 29, 0, 0, 0));
        // Differences are whole seconds and signed.
        QCOMPARE(secondsBetween(dt(2001, 5, 3, 23, 59, 59), dt(2001, 5, 4, 0, 0, 1)), 2);
        QCOMPARE(secondsBetween(dt(2001, 5, 4, 0, 0, 1), dt(2001, 5, 3, 23, 59, 59)), -2);
        QCOMPARE(secondsBetween(dt(2001, 2, 28, 12, 0, 0), dt(2001, 3, 1, 12, 0, 0)), 86400);
        // Before 1970 the calendar still holds.
        QCOMPARE(dt(1899, 12, 30, 6, 0, 1).time(), QTime(6, 0, 1));
        QCOMPARE(dt(1899, 12, 30, 6, 0, 1).date(), QDate(1899, 12, 30));
    }

    void numbers()
    {
        QCOMPARE(formatNumber(5, 3), u"005"_s);
        QCOMPARE(formatNumber(1000, 3), u"1000"_s);
        QCOMPARE(formatNumber(7, 2), u"07"_s);
        QCOMPARE(formatNumber(-7, 2), u"-07"_s);
    }

    void targetsWithoutTimeOrWithOddSpacing()
    {
        QCOMPARE(parseDateTime(u"May 3, 2001"), dt(2001, 5, 3, 0, 0, 0));
        QCOMPARE(parseDateTime(u"  May 3,2001 10:30 AM "), dt(2001, 5, 3, 10, 30, 0));
        QCOMPARE(parseDateTime(u"May 3, 2001   13:30:00 PM"), std::nullopt);
        QCOMPARE(parseDateTime(u"May 3, 2001   10:30:00 AM junk"), std::nullopt);
        QCOMPARE(parseDateTime(u"10:30:00"), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestDateTime)
#include "tst_datetime.moc"
