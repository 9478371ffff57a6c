// The sort and view commands as the results pane takes them: each command
// number names its key or view, and no other number names any.
#include <QTest>

#include "app/command_keys.h"
#include "res/command_ids.h"

namespace zandor {

class CommandKeysTest final : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void theSortCommandsNameTheColumnsInOrder() {
        QList<std::optional<SortKey>> keys;
        for (unsigned id = cmd::kSortByName; id <= cmd::kSortByLastWrite; ++id) {
            keys << sortKeyOfCommand(id);
        }
        QCOMPARE(keys, (QList<std::optional<SortKey>>{SortKey::Name, SortKey::Path, SortKey::Size,
                                                      SortKey::Type, SortKey::Created,
                                                      SortKey::LastWrite}));
    }

    // A column number (0 to 5, 6) is no sort command, nor is the number after
    // the last one or a view command.
    void otherNumbersNameNoSortKey() {
        for (unsigned id : {0U, 5U, 6U, cmd::kSortByName - 1, cmd::kSortByLastWrite + 1,
                            cmd::kViewDetails, cmd::kOpen}) {
            QVERIFY2(!sortKeyOfCommand(id).has_value(), qPrintable(QString::number(id)));
        }
    }

    void theViewCommandsNameTheirViews() {
        QCOMPARE(viewTypeOfCommand(cmd::kViewLargeIcons), std::optional(ViewType::LargeIcons));
        QCOMPARE(viewTypeOfCommand(cmd::kViewSmallIcons), std::optional(ViewType::SmallIcons));
        QCOMPARE(viewTypeOfCommand(cmd::kViewList), std::optional(ViewType::List));
        QCOMPARE(viewTypeOfCommand(cmd::kViewDetails), std::optional(ViewType::Details));
        for (unsigned id : {0U, 1U, 3U, cmd::kSortByName, cmd::kViewSmallIcons + 1,
                            cmd::kViewList - 1, cmd::kViewDetails + 1}) {
            QVERIFY2(!viewTypeOfCommand(id).has_value(), qPrintable(QString::number(id)));
        }
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::CommandKeysTest)
#include "command_keys_test.moc"
