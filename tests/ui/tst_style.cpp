// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style.h"

#include <QApplication>
#include <QImage>
#include <QTest>

class TestStyle : public QObject
{
    Q_OBJECT

private slots:
    // The hot spot must sit on the fingertip, the topmost inked pixels of the picture,
    // whatever the pixel ratio the picture is drawn at.
    void handCursorHotSpotIsTheFingertip_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1") << 1.0;
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("2") << 2.0;
        QTest::newRow("3") << 3.0;
    }

    void handCursorHotSpotIsTheFingertip()
    {
        QFETCH(qreal, ratio);
        const QCursor cursor = ui::style::handCursor(ratio);
        const QImage image = cursor.pixmap().toImage();
        QCOMPARE(image.width(), qRound(32 * ratio));

        int top = -1, left = image.width(), right = -1;
        for (int y = 0; y < image.height() && top < 0; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) > 128) {
                    top = y;
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        QVERIFY(top >= 0);
        const QPoint spot = cursor.hotSpot();
        QVERIFY2(std::abs(spot.y() - top) <= 1,
                 qPrintable(QStringLiteral("hot spot row %1, tip row %2").arg(spot.y()).arg(top)));
        QVERIFY2(
            spot.x() >= left && spot.x() <= right,
            qPrintable(QStringLiteral("hot spot column %1, tip %2..%3").arg(spot.x()).arg(left).arg(right)));
    }
};

QTEST_MAIN(TestStyle)
#include "tst_style.moc"
