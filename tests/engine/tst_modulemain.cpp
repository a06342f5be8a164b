#include "fakedisplay.h"
#include "modulemain.h"
#include "striptagsmodel.h"

#include <QRandomGenerator>
#include <QTest>

using namespace zel;
using namespace zel::test;

class TestModuleMain final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stripTags_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("close");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two tags") << u"a<b>c<d>e"_s << u"<"_s << u">"_s << u"ace"_s;
        QTest::newRow("unclosed opener stays") << u"x<y"_s << u"<"_s << u">"_s << u"x<y"_s;
        QTest::newRow("closer before opener stays")
            << u"a>b<c>d"_s << u"<"_s << u">"_s << u"a>bd"_s;
        QTest::newRow("nested: rest of outer span stays")
            << u"<<x>y>"_s << u"<"_s << u">"_s << u"y>"_s;
        QTest::newRow("empty tag") << u"<>"_s << u"<"_s << u">"_s << QString();
        QTest::newRow("no opener") << u"plain > text"_s << u"<"_s << u">"_s << u"plain > text"_s;
        QTest::newRow("same delimiter twice") << u"a|b|c|d"_s << u"|"_s << u"|"_s << u"ac|d"_s;
        QTest::newRow("removal joins a new opener")
            << u"aabxbx"_s << u"ab"_s << u"x"_s << QString();
    }

    void stripTags()
    {
        QFETCH(QString, text);
        QFETCH(QString, open);
        QFETCH(QString, close);
        QFETCH(QString, expected);
        StripTags(text, open, close);
        QCOMPARE(text, expected);
    }

    void stripTagsAgreesWithModelOnRandomTexts()
    {
        const QStringList cases[] = { { u"<"_s, u">"_s,
                                        u"<>ab"_s }, // delimiters, then the alphabet
                                      { u"|"_s, u"|"_s, u"|ab"_s },
                                      { u"<!"_s, u">"_s, u"<!>a"_s } };
        QRandomGenerator random(20240607);
        for (const QStringList &c : cases) {
            for (int i = 0; i < 20000; ++i) {
                QString text;
                for (int length = random.bounded(25); length > 0; --length)
                    text += c[2].at(random.bounded(int(c[2].size())));
                const QString expected = stripTagsModel(text, c[0], c[1]);
                StripTags(text, c[0], c[1]);
                QCOMPARE(text, expected);
            }
        }
    }

    void replaceLineBreaks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("hadLineBreak");
        QTest::newRow("CR LF wins, lone LF stays") << u"a\r\nb\nc"_s << u"a b\nc"_s << true;
        QTest::newRow("LF wins, lone CR stays") << u"a\nb\rc"_s << u"a b\rc"_s << true;
        QTest::newRow("CR alone") << u"a\rb"_s << u"a b"_s << true;
        QTest::newRow("two CR LF in a row") << u"a\r\n\r\nb"_s << u"a  b"_s << true;
        QTest::newRow("none") << u"abc"_s << u"abc"_s << false;
    }

    void replaceLineBreaks()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(bool, hadLineBreak);
        bool had = !hadLineBreak;
        QVERIFY(ReplaceLineBreaks(text, u" "_s, had).isOk());
        QCOMPARE(text, expected);
        QCOMPARE(had, hadLineBreak);
    }

    void fitTextBoxMeasuresInTheBoxFontAndRestoresTheForm()
    {
        QStringList log;
        FakeMeasuringForm form { log };
        FakeTextBox box { log, 0 };
        box.text = u"abcd"_s;
        FitTextBox(form, box);
        QCOMPARE(form.measuredIn, QStringList({ u"1/1/BoxFace/9"_s, u"1/1/BoxFace/9"_s }));
        QCOMPARE(log,
                 QStringList({ u"form.FontBold=1"_s, u"form.FontItalic=1"_s,
                               u"form.FontName=BoxFace"_s, u"form.FontSize=9"_s, u"box0.Width=40"_s,
                               u"box0.Height=108"_s, u"form.FontBold=0"_s, u"form.FontItalic=0"_s,
                               u"form.FontName=FormFace"_s, u"form.FontSize=20"_s }));
        box.text.clear();
        FitTextBox(form, box);
        QCOMPARE(box.width, 0.0);
    }

    void delayYieldsOnlyForAPositiveCount()
    {
        for (const auto &[count, yields] : { std::pair { 0, 0 }, { -3, 0 }, { 3, 3 } }) {
            FakeEventQueue queue;
            Delay(queue, count);
            QCOMPARE(queue.yields, yields);
        }
    }
};

QTEST_GUILESS_MAIN(TestModuleMain)
#include "tst_modulemain.moc"
