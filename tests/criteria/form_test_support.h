// Helpers shared by the criteria form's widget tests.
#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <initializer_list>
#include <vector>

#include "platform/fs_mounts.h"

namespace zandor::test {

// Three disks, listed out of order, and two kernel file systems.
inline std::vector<MountedVolume> sampleDrives() {
    return parseMountInfo(
        "30 1 8:2 / /home rw - ext4 /dev/sda2 rw\n"
        "22 1 0:21 / /proc rw - proc proc rw\n"
        "25 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "33 1 8:4 / /boot/efi rw - vfat /dev/sda4 rw\n"
        "23 1 0:22 / /sys rw - sysfs sysfs rw\n");
}

inline QStringList itemTexts(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->itemText(i);
    }
    return texts;
}

// Picks the item with the given text from the open list, as the user does.
inline void chooseItem(QComboBox* list, const QString& text) {
    const int index = list->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    list->showPopup();
    QAbstractItemView* view = list->view();
    view->setCurrentIndex(list->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
}

// "name x,y wxh" for each widget, so a failed comparison shows every place.
inline QString placeText(const QString& name, const QRect& r) {
    return QStringLiteral("%1 %2,%3 %4x%5")
        .arg(name)
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height());
}

inline QStringList placesOf(std::initializer_list<const QWidget*> widgets) {
    QStringList places;
    for (const QWidget* widget : widgets) {
        places << placeText(widget->objectName(), widget->geometry());
    }
    return places;
}

}  // namespace zandor::test
