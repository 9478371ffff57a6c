// Names as text and back: each byte that is not UTF-8 shows as one U+FFFD,
// and an edit keeps every byte the user did not touch.
#include <QTest>
#include <string>

#include "text/name_text.h"

namespace zandor {

class NameTextTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void eachByteThatIsNotUtf8ShowsAsOneReplacement_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ascii") << QByteArray("plain.txt") << QStringLiteral("plain.txt");
        QTest::newRow("utf-8") << QByteArray("\xc3\xa9t\xc3\xa9 \xf0\x9f\x93\x81")
                               << QStringLiteral("\u00e9t\u00e9 \U0001F4C1");
        QTest::newRow("latin-1") << QByteArray("caf\xe9") << QStringLiteral("caf\uFFFD");
        QTest::newRow("overlong") << QByteArray("a\xc0\x80z") << QStringLiteral("a\uFFFD\uFFFDz");
        QTest::newRow("surrogate")
            << QByteArray("\xed\xa0\x80") << QStringLiteral("\uFFFD\uFFFD\uFFFD");
        QTest::newRow("cut short") << QByteArray("x\xe2\x82") << QStringLiteral("x\uFFFD\uFFFD");
        QTest::newRow("past U+10FFFF")
            << QByteArray("\xf4\x90\x80\x80") << QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD");
    }
    void eachByteThatIsNotUtf8ShowsAsOneReplacement() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QCOMPARE(displayText(bytes.toStdString()), shown);
    }

    void anEditKeepsTheBytesItDidNotTouch_data() {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QString>("edited");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray bad("bad\xff\xfename.txt");
        QTest::newRow("appended") << bad << QStringLiteral("bad\uFFFD\uFFFDname.txt-x")
                                  << QByteArray("bad\xff\xfename.txt-x");
        QTest::newRow("typed between the bad bytes")
            << bad << QStringLiteral("bad\uFFFD-\uFFFDname.txt")
            << QByteArray("bad\xff-\xfename.txt");
        QTest::newRow("one bad byte removed")
            << bad << QStringLiteral("bad\uFFFDname.txt") << QByteArray("bad\xffname.txt");
        QTest::newRow("start replaced") << bad << QStringLiteral("\u00e9\uFFFD\uFFFDname.txt")
                                        << QByteArray("\xc3\xa9\xff\xfename.txt");
        QTest::newRow("all replaced") << bad << QStringLiteral("new.txt") << QByteArray("new.txt");
        QTest::newRow("unchanged") << bad << QStringLiteral("bad\uFFFD\uFFFDname.txt") << bad;
        QTest::newRow("valid name")
            << QByteArray("\xc3\xa9t\xc3\xa9") << QStringLiteral("\u00e9t\u00e9s")
            << QByteArray("\xc3\xa9t\xc3\xa9s");
        QTest::newRow("repeated letters") << QByteArray(
                                                 "aa\xff"
                                                 "aa")
                                          << QStringLiteral("aa\uFFFDaaa")
                                          << QByteArray(
                                                 "aa\xff"
                                                 "aaa");
    }
    void anEditKeepsTheBytesItDidNotTouch() {
        QFETCH(QByteArray, original);
        QFETCH(QString, edited);
        QFETCH(QByteArray, expected);
        const std::string result = editedNameBytes(original.toStdString(), edited);
        QCOMPARE(QByteArray::fromStdString(result), expected);
    }
};

}  // namespace zandor

QTEST_GUILESS_MAIN(zandor::NameTextTest)
#include "name_text_test.moc"
