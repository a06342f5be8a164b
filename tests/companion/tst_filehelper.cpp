#include "filehelper.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace zel;
using namespace Qt::StringLiterals;

namespace {

const QString kJapanese =
    u"吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
    u"何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。"_s;

QByteArray encoded(const char *charset, const QString &text, bool withBom = false)
{
    QStringEncoder encoder(
        charset, withBom ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
    return encoder.encode(text);
}

} // namespace

class TestFileHelper final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }

    void readsFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("isText");
        QTest::addColumn<QString>("text");
        const QString windowsOnly = u"株式会社は㈱、番号は①②③、髙橋さんと﨑本さん。～"_s;
        const QString mixed = u"Meeting at 10:00 in 会議室 B, please bring the report."_s;
        const QString french = u"Voilà une phrase en français : café, crème brûlée, déjà vu."_s;
        const QString german = u"Größere Mengen für die Straße: schöne Bäume und „Äpfel“."_s;
        const QByteArray letters(95, 'a');
        const QByteArray fewControls = letters + "\1\1\1\1\1"_ba;
        const auto text = [](const char *name, const QByteArray &bytes, const QString &text) {
            QTest::newRow(name) << bytes << true << text;
        };
        const auto binary = [](const char *name, const QByteArray &bytes) {
            QTest::newRow(name) << bytes << false << QString();
        };
        text("UTF-8", kJapanese.toUtf8(), kJapanese);
        text("UTF-8 with a byte-order mark", encoded("UTF-8", kJapanese, true), kJapanese);
        text("UTF-16LE with a byte-order mark", encoded("UTF-16LE", kJapanese, true), kJapanese);
        text("UTF-16BE with a byte-order mark", encoded("UTF-16BE", kJapanese, true), kJapanese);
        text("Shift_JIS", encoded("Shift_JIS", kJapanese), kJapanese);
        text("Shift_JIS with a DOS end-of-file mark", encoded("Shift_JIS", kJapanese) + "\r\n\x1A",
             kJapanese + u"\r\n\x1A"_s);
        text("windows-31j characters", encoded("windows-31j", windowsOnly), windowsOnly);
        text("short Shift_JIS", encoded("Shift_JIS", u"日本語"_s), u"日本語"_s);
        text("a few Shift_JIS words among Latin ones", encoded("Shift_JIS", mixed), mixed);
        text("EUC-JP", encoded("EUC-JP", kJapanese), kJapanese);
        text("short EUC-JP, also clean as Shift_JIS", encoded("EUC-JP", u"テスト"_s), u"テスト"_s);
        text("ISO-2022-JP", encoded("ISO-2022-JP", kJapanese), kJapanese);
        text("short ISO-2022-JP", encoded("ISO-2022-JP", u"こんにちは"_s), u"こんにちは"_s);
        text("Latin-1, French", encoded("ISO-8859-1", french), french);
        text("windows-1252, German", encoded("windows-1252", german), german);
        text("empty file", {}, {});
        text("5 % control characters", fewControls, QString::fromLatin1(fewControls));
        text("tabs, breaks, form feeds, ESC, SUB", "\t\r\n\f\x1B\x1A"_ba, u"\t\r\n\f\x1B\x1A"_s);
        binary("over 5 % control characters", letters.left(94) + "\1\1\1\1\1\1"_ba);
        binary("ELF executable", QByteArray::fromHex("7f454c4602010100000000000000000002003e00"));
        binary("PNG image", QByteArray::fromHex("89504e470d0a1a0a0000000d4948445200000010"));
        binary("zip archive", QByteArray::fromHex("504b03041400000008002a3b"));
        binary("UTF-16 without a byte-order mark", encoded("UTF-16LE", u"text"_s));
        binary("UTF-8 mark, then binary", "\xEF\xBB\xBF" + QByteArray::fromHex("7f454c4602010100"));
    }

    void readsFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, isText);
        QFETCH(QString, text);
        FileHelper helper;
        QVERIFY(helper.SetFile(write(bytes)).isOk());
        QString read = u"before"_s;
        bool readIsText = !isText;
        QVERIFY(helper.ReadText(read, readIsText).isOk());
        QCOMPARE(readIsText, isText);
        QCOMPARE(read, text);
    }

    void readsOrNamesFileAndCause_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing file")
            << m_dir.filePath(u"missing.txt"_s) << FileHelper::kMaxFileSize << u"no such file"_s;
        QTest::newRow("folder") << m_dir.path() << FileHelper::kMaxFileSize << u"it is a folder"_s;
        QTest::newRow("device") << u"/dev/null"_s << FileHelper::kMaxFileSize
                                << u"it is not a regular file"_s;
        QTest::newRow("one byte over the limit")
            << write(QByteArray(11, 'x')) << qint64(10) << u"it is larger than 10 bytes"_s;
        QTest::newRow("at the limit") << write(QByteArray(10, 'x')) << qint64(10) << QString();
    }

    void readsOrNamesFileAndCause()
    {
        QFETCH(QString, path);
        QFETCH(qint64, limit);
        QFETCH(QString, cause);
        FileHelper helper(limit);
        QVERIFY(helper.SetFile(path).isOk());
        QString text = u"kept"_s;
        bool isText = true;
        const Status status = helper.ReadText(text, isText);
        if (cause.isEmpty()) {
            QVERIFY(status.isOk());
            QCOMPARE(text, u"xxxxxxxxxx"_s);
            return;
        }
        QCOMPARE(status.message(),
                 u"Cannot read \"%1\": %2."_s.arg(QDir::toNativeSeparators(path), cause));
        QCOMPARE(text, u"kept"_s);
        QString shown;
        QVERIFY(helper.GetFile(shown).isOk());
        QCOMPARE(shown, QDir::toNativeSeparators(path));
    }

    void failsWithoutAPath()
    {
        FileHelper helper;
        QVERIFY(helper.SetFile(QString()).isOk());
        QString text;
        bool isText = true;
        QCOMPARE(helper.ReadText(text, isText).message(),
                 u"Cannot read a file: no file was chosen."_s);
    }

    void refusesAFileOverOneGibibyte()
    {
        // Sparse: the size costs no disk space, and the file is never read.
        QFile file(write("x"_ba));
        if (!file.resize(FileHelper::kMaxFileSize + 1))
            QSKIP("this file system cannot hold so large a sparse file");
        FileHelper helper;
        QVERIFY(helper.SetFile(file.fileName()).isOk());
        QString text;
        bool isText = false;
        const QString message = helper.ReadText(text, isText).message();
        QVERIFY2(message.endsWith(u"it is larger than 1 GiB."_s), qPrintable(message));
    }

private:
    QString write(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(u"file%1.txt"_s.arg(++m_files));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write a test file");
        return path;
    }

    QTemporaryDir m_dir;
    int m_files = 0;
};

QTEST_GUILESS_MAIN(TestFileHelper)
#include "tst_filehelper.moc"
