// SPDX-License-Identifier: GPL-3.0-or-later
// Reading dreams over the shipped tables and lexicon: written forms, polyphone pinyin, the
// images of a dream, the sentence that fits, bad input, the lexicon's own consistency, and
// the corpus of dreams written as people write them.
#include "kb/store.h"
#include "reading/dream_reading.h"
#include "reading/suggestions.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const reading::Lexicon &lexicon()
{
    return reading::Lexicon::instance();
}

QStringList imagesOf(const QString &text)
{
    QStringList keywords;
    for (const reading::Image &image : reading::findImages(text, lexicon()))
        keywords.append(lexicon().records()[std::size_t(image.records.front())].keyword);
    return keywords;
}

QStringList lines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(path));
    QStringList out;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (!line.trimmed().isEmpty() && !line.startsWith(u'#'))
            out.append(line.trimmed());
    }
    return out;
}

} // namespace

class TestReading : public QObject
{
    Q_OBJECT

private slots:
    void writtenForms_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("folded");
        QTest::newRow("traditional") << u"夢見鐘"_s << u"梦见钟"_s;
        QTest::newRow("full-width letters and space") << u"ＺＨＯＮＧ　ｓｈｅ"_s << u"zhongshe"_s;
        QTest::newRow("upper case pinyin with spaces") << u" Meng Jian She "_s << u"mengjianshe"_s;
        QTest::newRow("punctuation and emoji left out") << u"牙齿，掉了！😀…"_s << u"牙齿掉了"_s;
        QTest::newRow("full-width digit") << u"钟２"_s << u"钟2"_s;
        QTest::newRow("a character the forms use is never folded") << u"摔跤"_s << u"摔跤"_s;
        QTest::newRow("nothing readable") << u"，。！？ 　"_s << QString();
    }
    void writtenForms()
    {
        QFETCH(QString, typed);
        QFETCH(QString, folded);
        const reading::FoldedText f = lexicon().fold(typed);
        QCOMPARE(f.text, folded);
        // Every folded character still knows where the user wrote it.
        QCOMPARE(f.origin.size(), f.text.size() + 1);
        for (qsizetype i = 0; i < f.text.size(); ++i)
            QVERIFY(lexicon().fold(typed.mid(f.origin[i], 1)).text == f.text.mid(i, 1));
    }

    void polyphonePinyin_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("pinyin");
        QTest::newRow("银行") << u"银行"_s << u"yinhang"_s;
        QTest::newRow("长城") << u"长城"_s << u"changcheng"_s;
        QTest::newRow("头发") << u"头发"_s << u"toufa"_s;
        QTest::newRow("睡觉") << u"睡觉"_s << u"shuijiao"_s;
        QTest::newRow("还钱") << u"还钱"_s << u"huanqian"_s;
        QTest::newRow("朝霞") << u"朝霞"_s << u"zhaoxia"_s;
        QTest::newRow("地") << u"地"_s << u"di"_s;
    }
    void polyphonePinyin()
    {
        QFETCH(QString, form);
        QFETCH(QString, pinyin);
        const reading::Form *f = lexicon().find(form);
        QVERIFY2(f, qPrintable(form));
        QCOMPARE(f->pinyin, pinyin);
    }

    void readsTheImages_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("images");
        QTest::newRow("whole dream, in the order of the text")
            << u"梦见在河边钓到一条大鱼"_s << QStringList{u"河流"_s, u"鱼竿"_s, u"鱼"_s};
        QTest::newRow("framing words are no images") << u"我梦见自己"_s << QStringList();
        QTest::newRow("not-image words are no images") << u"今天日子过得不错"_s << QStringList();
        QTest::newRow("everyday phrase, then the images inside it")
            << u"梦见和老公吵架"_s << QStringList{u"夫妻吵架"_s, u"丈夫"_s, u"吵架"_s};
        QTest::newRow("an image's second record is the same image")
            << u"梦见被老虎追"_s << QStringList{u"虎2"_s};
        QTest::newRow("traditional") << u"夢見龍"_s << QStringList{u"龙"_s};
        QTest::newRow("pinyin read over the forms") << u"mengjianshe"_s << QStringList{u"蛇"_s};
        QTest::newRow("English is not pinyin") << u"hello"_s << QStringList();
        QTest::newRow("second record typed") << u"钟2"_s << QStringList{u"钟2"_s};
        QTest::newRow("one image named twice") << u"蛇，又是蛇"_s << QStringList{u"蛇"_s};
    }
    void readsTheImages()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, images);
        QCOMPARE(imagesOf(text), images);
    }

    void fittingSentenceComesFirst_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fits");
        QTest::newRow("the dream's own word") << u"梦见被蛇咬"_s << u"咬"_s;
        QTest::newRow("the dreamer's state") << u"我怀孕了，梦见鱼"_s << u"孕妇"_s;
        // Not the sentence that says the same words with a 不 before them (不流血).
        QTest::newRow("words not denied") << u"梦见牙齿掉了，流了很多血"_s << u"牙齿流血"_s;
    }
    void fittingSentenceComesFirst()
    {
        QFETCH(QString, text);
        QFETCH(QString, fits);
        const QString shown = reading::readDream(text).text;
        const qsizetype at = shown.indexOf(u"最合此梦："_s);
        QVERIFY2(at >= 0, qPrintable(shown));
        QVERIFY2(shown.sliced(at).section(u"\r\n"_s, 0, 0).contains(fits), qPrintable(shown));
    }

    // Whatever is typed, the reading says something and names only what it found.
    void badInput_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("images");
        QString many;
        for (const reading::Record &r : lexicon().records()) {
            if (!r.keyword.endsWith(u'2'))
                many += r.keyword + u'，';
        }
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("punctuation only") << u"……！？"_s << 0;
        QTest::newRow("emoji") << u"😀🐍"_s << 0;
        QTest::newRow("pinyin of nothing") << u"qwxzqwxz"_s << 0;
        QTest::newRow("every image of the table") << many << int(imagesOf(many).size());
        QTest::newRow("the input's limit") << QString(32767, u'蛇') << 1;
    }
    void badInput()
    {
        QFETCH(QString, text);
        QFETCH(int, images);
        const reading::Reading r = reading::readDream(text);
        QVERIFY(!r.text.isEmpty());
        QCOMPARE(r.keywords.size(), images);
        if (images > 200)
            QCOMPARE(r.text.count(u'【'), images); // every image has its paragraph
    }

    // Every line of our everyday forms leads to records the table has, and no form hides
    // a record's own keyword.
    void lexiconLeadsToRecords()
    {
        QSet<QString> keywords;
        for (const reading::Record &r : lexicon().records())
            keywords.insert(r.keyword);
        for (const QString &file : {u"images_people_animals_plants.txt"_s, u"images_things_nature.txt"_s}) {
            for (const QString &line : lines(QDir(QStringLiteral(MENGJIAN_LEXICON_DIR)).filePath(file))) {
                const QStringList sides = line.split(u'=');
                QCOMPARE(sides.size(), 2);
                for (const QString &k : sides[1].split(u'，'))
                    QVERIFY2(keywords.contains(k.trimmed()), qPrintable(file + u": "_s + line));
                for (const QString &form : sides[0].split(u'，'))
                    QVERIFY2(!keywords.contains(form.trimmed()), qPrintable(file + u": "_s + line));
            }
        }
    }

    // Dreams written as people write them: the reading names an expected image, and the
    // first three suggestions hold one, for at least 95 % of them.
    void corpus()
    {
        int total = 0;
        int read = 0;
        int suggested = 0;
        for (const QString &line : lines(QStringLiteral(MENGJIAN_CORPUS))) {
            const qsizetype bar = line.lastIndexOf(u'|');
            const QString query = line.first(bar);
            const QStringList expected = line.sliced(bar + 1).split(u'，');
            const auto hit = [&](const QStringList &found) {
                return std::any_of(found.cbegin(), found.cend(),
                                   [&](const QString &k) { return expected.contains(k); });
            };
            ++total;
            if (hit(reading::readDream(query).keywords))
                ++read;
            else
                qInfo("reading misses %s", qPrintable(line));
            QStringList firstThree;
            for (const reading::Suggestion &s : reading::suggest(query).mid(0, 3))
                firstThree.append(s.keyword);
            if (hit(firstThree))
                ++suggested;
            else
                qInfo("suggestions miss %s: %s", qPrintable(line), qPrintable(firstThree.join(u' ')));
        }
        qInfo("corpus of %d: reading %.1f %%, first three suggestions %.1f %%", total, 100.0 * read / total,
              100.0 * suggested / total);
        QVERIFY(total >= 150);
        QVERIFY(read * 100 >= total * 95);
        QVERIFY(suggested * 100 >= total * 95);
    }
};

QTEST_GUILESS_MAIN(TestReading)
#include "tst_reading.moc"
