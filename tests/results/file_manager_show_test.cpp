// Open Containing Folder through the file manager's D-Bus service, on a
// session bus of the test's own: a stand-in for the file manager records
// what it is asked to show, answers with an error or not at all; without it,
// the folders are opened (and recorded) instead.
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusError>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <memory>

#include "private_desktop.h"
#include "recording_prompts.h"
#include "results/file_manager_show.h"
#include "results/item_commands.h"
#include "results/path_mime_data.h"
#include "temp_tree.h"

namespace zandor {

namespace {

constexpr auto kService = "org.freedesktop.FileManager1";
constexpr auto kObject = "/org/freedesktop/FileManager1";

// A bus that only this test's connections use, so that no real file
// manager is started or asked; no service can be activated on it.
constexpr char kBusConfig[] =
    "<busconfig>\n"
    "  <type>session</type>\n"
    "  <listen>unix:tmpdir=/tmp</listen>\n"
    "  <auth>EXTERNAL</auth>\n"
    "  <policy context='default'>\n"
    "    <allow send_destination='*' eavesdrop='true'/>\n"
    "    <allow eavesdrop='true'/>\n"
    "    <allow own='*'/>\n"
    "  </policy>\n"
    "</busconfig>\n";

QStringList urisOf(const std::vector<std::string>& paths) {
    QStringList uris;
    for (const std::string& path : paths) {
        uris << QString::fromLatin1(fileUriOf(path));
    }
    return uris;
}

}  // namespace

enum class Answer { Done, Error, Never };

class FileManagerStandIn final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
  public:
    Answer answer = Answer::Done;
    QList<QStringList> calls;
    QStringList startupIds;

  public Q_SLOTS:
    void ShowItems(const QStringList& uris, const QString& startupId) {
        calls << uris;
        startupIds << startupId;
        if (answer == Answer::Error) {
            sendErrorReply(QDBusError::Failed, QStringLiteral("cannot show"));
        } else if (answer == Answer::Never) {
            // The reply is held back for good, as by a hung file manager.
            setDelayedReply(true);
        }
    }
};

class FileManagerShowTest final : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<test::TempTree> m_home;
    QProcess m_bus;
    QString m_address;
    std::unique_ptr<test::PrivateDesktop> m_desktop;
    QWidget m_owner;
    test::Prompts m_prompts;
    std::unique_ptr<ItemCommands> m_items;
    std::unique_ptr<FileManagerStandIn> m_standIn;

    // Puts the stand-in on the bus, on a connection of its own.
    void registerStandIn(Answer answer) {
        m_standIn = std::make_unique<FileManagerStandIn>();
        m_standIn->answer = answer;
        QDBusConnection standIn =
            QDBusConnection::connectToBus(m_address, QStringLiteral("standIn"));
        QVERIFY(standIn.isConnected());
        QVERIFY(standIn.registerObject(QString::fromLatin1(kObject), m_standIn.get(),
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(standIn.registerService(QString::fromLatin1(kService)));
    }

  private Q_SLOTS:
    void initTestCase() {
        m_home = std::make_unique<test::TempTree>();
        m_home->writeFile("bus.conf", kBusConfig);
        m_desktop = std::make_unique<test::PrivateDesktop>(*m_home);
        m_bus.start(
            QStringLiteral("dbus-daemon"),
            {QStringLiteral("--nofork"), QStringLiteral("--print-address=1"),
             QStringLiteral("--config-file=") + QString::fromStdString(m_home->path("bus.conf"))});
        QVERIFY2(m_bus.waitForStarted(), "dbus-daemon did not start");
        while (!m_bus.canReadLine()) {
            QVERIFY2(m_bus.waitForReadyRead(10000), "dbus-daemon printed no address");
        }
        m_address = QString::fromUtf8(m_bus.readLine().trimmed());
        // Read when the process first uses the session bus, after this.
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
    }
    void cleanupTestCase() {
        m_bus.kill();
        m_bus.waitForFinished();
    }
    void init() {
        m_desktop->forget();
        m_prompts = test::Prompts{};
        m_items = std::make_unique<ItemCommands>(m_owner);
        m_items->setPrompts(m_prompts.make());
    }
    void cleanup() {
        m_items.reset();
        QDBusConnection standIn(QStringLiteral("standIn"));
        if (standIn.isConnected()) {
            standIn.unregisterService(QString::fromLatin1(kService));
            standIn.unregisterObject(QString::fromLatin1(kObject));
        }
        m_standIn.reset();
    }

    // Every item in one request, its URI carrying the raw bytes of its path;
    // a missing item is named and left out.
    void theFileManagerIsAskedOnceForEveryItem() {
        registerStandIn(Answer::Done);
        test::TempTree tree;
        const std::vector<std::string> names = {"with blanks.txt", "100%", "new\nline", "caf\xe9",
                                                "\xff\xfe"};
        std::vector<std::string> paths;
        for (const std::string& name : names) {
            tree.file("one/" + name);
            paths.push_back(tree.path("one/" + name));
        }
        tree.folder("two");
        paths.push_back(tree.path("two"));
        std::vector<std::string> asked = paths;
        asked.insert(asked.begin() + 2, tree.path("gone"));
        QSignalSpy ended(&m_items->fileManagerShow(), &FileManagerShow::finished);
        m_items->openContainingFolders(asked);
        QVERIFY(ended.wait(10000));
        QCOMPARE(ended.front().front().toBool(), true);
        QCOMPARE(m_standIn->calls, QList<QStringList>{urisOf(paths)});
        QCOMPARE(m_standIn->startupIds, QStringList{QString()});
        QVERIFY(m_desktop->opened(0).isEmpty());
        QCOMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(m_prompts.messages.front().caption, QStringLiteral("Open Containing Folder"));
        QCOMPARE(m_prompts.messages.front().text,
                 QStringLiteral("This item no longer exists:\n\n") +
                     QString::fromStdString(tree.path("gone")));
        // Only missing items: nothing is asked of the file manager.
        m_items->openContainingFolders({tree.path("gone")});
        QCOMPARE(m_prompts.messages.size(), 2);
        QCOMPARE(m_standIn->calls.size(), 1);
    }

    // No file manager on the bus, one that fails, or one that never answers:
    // each folder opens once.
    void withoutAnAnsweringFileManagerEachFolderOpens_data() {
        QTest::addColumn<int>("standIn");
        QTest::newRow("no service") << -1;
        QTest::newRow("error reply") << static_cast<int>(Answer::Error);
        QTest::newRow("no reply") << static_cast<int>(Answer::Never);
    }
    void withoutAnAnsweringFileManagerEachFolderOpens() {
        QFETCH(int, standIn);
        if (standIn >= 0) {
            registerStandIn(static_cast<Answer>(standIn));
        }
        test::TempTree tree;
        tree.file("one/a");
        tree.file("two/b");
        tree.file("one/c");
        QSignalSpy ended(&m_items->fileManagerShow(), &FileManagerShow::finished);
        m_items->openContainingFolders(
            {tree.path("one/a"), tree.path("two/b"), tree.path("one/c")});
        QVERIFY(ended.wait(10000));
        QCOMPARE(ended.front().front().toBool(), false);
        QCOMPARE(m_desktop->opened(2),
                 test::sortedUris({QUrl::fromLocalFile(QString::fromStdString(tree.path("one"))),
                                   QUrl::fromLocalFile(QString::fromStdString(tree.path("two")))}));
        QVERIFY(m_prompts.messages.isEmpty());
        if (m_standIn != nullptr) {
            QCOMPARE(m_standIn->calls.size(), 1);
        }
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::FileManagerShowTest)
#include "file_manager_show_test.moc"
