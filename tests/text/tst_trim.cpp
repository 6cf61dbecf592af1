// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/trim.h"

#include <QTest>

class TestTrim : public QObject
{
    Q_OBJECT

private slots:
    void trimsOnlyTheAsciiSpace_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("spaces only") << QStringLiteral("    ") << QString();
        QTest::newRow("both ends") << QStringLiteral("  钟  ") << QStringLiteral("钟");
        QTest::newRow("inner space stays") << QStringLiteral(" 天 门 ") << QStringLiteral("天 门");
        QTest::newRow("tab stays") << QStringLiteral("\t钟\t") << QStringLiteral("\t钟\t");
        QTest::newRow("full-width space stays") << QStringLiteral("　钟　") << QStringLiteral("　钟　");
        QTest::newRow("line break stays") << QStringLiteral("钟\r\n") << QStringLiteral("钟\r\n");
        QTest::newRow("space inside tab") << QStringLiteral(" \t钟 ") << QStringLiteral("\t钟");
        QTest::newRow("no-break space stays") << QStringLiteral("\u00a0钟") << QStringLiteral("\u00a0钟");
    }

    void trimsOnlyTheAsciiSpace()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(text::trimSpaces(QStringView(input)).toString(), expected);
        QCOMPARE(text::trimSpaces(input), expected);
        QString inPlace = input;
        text::trimSpacesInPlace(inPlace);
        QCOMPARE(inPlace, expected);
    }
};

QTEST_APPLESS_MAIN(TestTrim)
#include "tst_trim.moc"
