#include "data/table_rules.h"

#include <gtest/gtest.h>

using namespace data;

TEST(DatumAll, CompletesTypedDates)
{
    const QDate today(2004, 3, 20);
    struct Case {
        const char *typed, *text;
        QDate date;
    } cases[] = {
        {"5", "5.3.2004", {2004, 3, 5}},         {"15.", "15.3.2004", {2004, 3, 15}},   {"5.3", "5.3", {2004, 3, 5}},
        {"5,3.", "5.3.2004", {2004, 3, 5}},      {"5/3/04", "5.3.04", {2004, 3, 5}},    {"0503", "05.03.2004", {2004, 3, 5}},
        {"050304", "05.03.04", {2004, 3, 5}},    {"15012003", "15.01.2003", {2003, 1, 15}},
        {"+1", "21.3.2004", {2004, 3, 21}},      {"-20", "29.2.2004", {2004, 2, 29}},   {"+", "20.3.2004", {2004, 3, 20}},
        {"-0", "20.3.2004", {2004, 3, 20}},      {"", "", {}},                          {"123", "123", {}},
        {"12345", "12.34.5", {}},                {"05.03.", "05.03.2004", {2004, 3, 5}}, {"05.03.0", "05.03.0", {2000, 3, 5}},
        {"1,5", "1.5", {2004, 5, 1}},            {"99.1.99", "99.1.99", {}},            {"1.1.99", "1.1.99", {2099, 1, 1}},
    };
    for (const auto &c : cases) {
        const QString text = DatumAll(QString::fromUtf8(c.typed), today);
        EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.typed;
        EXPECT_EQ(readDateText(text, today), c.date) << c.typed;
    }
    // 31. in a 30-day month is completed and then refused.
    EXPECT_EQ(DatumAll(QStringLiteral("31."), QDate(2004, 4, 10)), QStringLiteral("31.4.2004"));
    EXPECT_FALSE(readDateText(QStringLiteral("31.4.2004"), QDate(2004, 4, 10)).isValid());
}

TEST(DateWords, WeekdaysDayCountsAndFormatExamples)
{
    const char *days[] = {"pondělí", "úterý", "středa", "čtvrtek", "pátek", "sobota", "neděle"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(weekdayName(QDate(2004, 3, 1).addDays(i)), QString::fromUtf8(days[i]));
    EXPECT_EQ(weekdayName(QDate()), QString());
    const std::pair<int, const char *> words[] = {{-1, ""},          {0, "dní dříve"}, {1, "den dříve"}, {2, "dny dříve"},
                                                  {4, "dny dříve"}, {5, "dní dříve"}, {30, "dní dříve"}};
    for (const auto &[n, w] : words) EXPECT_EQ(dayCountWord(n), QString::fromUtf8(w)) << n;
    const std::pair<const char *, const char *> formats[] = {{"dd.mm.yy", "15.01.03"}, {"dd.mm.yyyy", "15.01.2003"},
                                                             {"ddmmyy", "150103"},     {"ddmmyyyy", "15012003"},
                                                             {"yymmdd", "030115"},     {"yyyymmdd", "20030115"},
                                                             {"mm/dd", ""}};
    for (const auto &[f, e] : formats) EXPECT_EQ(dateFormatExample(QString::fromLatin1(f)), QString::fromLatin1(e));
}

TEST(StepBack, SkipsSundaysToTheFridayBefore)
{
    struct Case {
        QDate due;
        int days;
        QDate expected;
    } cases[] = {
        {{2004, 3, 8}, 1, {2004, 3, 5}},  {{2004, 3, 8}, 2, {2004, 3, 4}}, {{2004, 3, 8}, 5, {2004, 3, 1}},
        {{2004, 3, 10}, 3, {2004, 3, 5}}, {{2004, 3, 8}, 0, {2004, 3, 8}}, {{2004, 3, 8}, -2, {2004, 3, 8}},
        {{2004, 3, 7}, 1, {2004, 3, 6}}, // a Sunday due date lands on Saturday
    };
    for (const auto &c : cases) EXPECT_EQ(stepBack(c.due, c.days), c.expected) << c.due.toString().toStdString() << " " << c.days;
}
