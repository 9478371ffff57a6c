// Helpers shared by the criteria form's widget tests.
#pragma once

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <initializer_list>
#include <memory>
#include <vector>

#include "criteria/left_view.h"
#include "find_widget.h"
#include "form_places.h"
#include "platform/fs_mounts.h"

namespace zandor::test {

// The form's controls, found by their objectName, in the order of the form
// template.
struct FormControls {
    explicit FormControls(const QWidget& form)
        : labelName(widget<QLabel>(form, "labelName")),
          labelLookIn(widget<QLabel>(form, "labelLookIn")),
          groupOptions(widget<QWidget>(form, "groupOptions")),
          groupNamed(widget<QWidget>(form, "groupNamed")),
          staticDays(widget<QLabel>(form, "staticDays")),
          staticMonths(widget<QLabel>(form, "staticMonths")),
          iconSearch(widget<QLabel>(form, "iconSearch")),
          staticKB(widget<QLabel>(form, "staticKB")),
          editName(widget<QLineEdit>(form, "editName")),
          comboLookIn(widget<QComboBox>(form, "comboLookIn")),
          btnBrowse(widget<QPushButton>(form, "btnBrowse")),
          checkSize(widget<QCheckBox>(form, "checkSize")),
          comboSizeRelation(widget<QComboBox>(form, "comboSizeRelation")),
          editSize(widget<QLineEdit>(form, "editSize")),
          checkDate(widget<QCheckBox>(form, "checkDate")),
          comboDateKind(widget<QComboBox>(form, "comboDateKind")),
          radioDays(widget<QRadioButton>(form, "radioDays")),
          editDays(widget<QLineEdit>(form, "editDays")),
          radioMonths(widget<QRadioButton>(form, "radioMonths")),
          editMonths(widget<QLineEdit>(form, "editMonths")),
          checkType(widget<QCheckBox>(form, "checkType")),
          comboType(widget<QComboBox>(form, "comboType")),
          checkAdvanced(widget<QCheckBox>(form, "checkAdvanced")),
          checkSubDirs(widget<QCheckBox>(form, "checkSubDirs")),
          checkCase(widget<QCheckBox>(form, "checkCase")),
          btnSearch(widget<QPushButton>(form, "btnSearch")),
          btnStop(widget<QPushButton>(form, "btnStop")) {}

    QLabel* labelName;
    QLabel* labelLookIn;
    QWidget* groupOptions;
    QWidget* groupNamed;
    QLabel* staticDays;
    QLabel* staticMonths;
    QLabel* iconSearch;
    QLabel* staticKB;
    QLineEdit* editName;
    QComboBox* comboLookIn;
    QPushButton* btnBrowse;
    QCheckBox* checkSize;
    QComboBox* comboSizeRelation;
    QLineEdit* editSize;
    QCheckBox* checkDate;
    QComboBox* comboDateKind;
    QRadioButton* radioDays;
    QLineEdit* editDays;
    QRadioButton* radioMonths;
    QLineEdit* editMonths;
    QCheckBox* checkType;
    QComboBox* comboType;
    QCheckBox* checkAdvanced;
    QCheckBox* checkSubDirs;
    QCheckBox* checkCase;
    QPushButton* btnSearch;
    QPushButton* btnStop;
};

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

// What each of the form's widget tests starts from: a board, the form on the
// sample drives, and its controls, made anew for every test function.
class FormTest : public QObject {
  protected:
    void makeForm() {
        m_board = std::make_unique<LiveConditionsBoard>();
        m_form = std::make_unique<CLeftView>(*m_board, sampleDrives());
        m_controls = std::make_unique<FormControls>(*m_form);
    }
    void dropForm() {
        m_controls.reset();
        m_form.reset();
        m_board.reset();
    }

    std::unique_ptr<LiveConditionsBoard> m_board;
    std::unique_ptr<CLeftView> m_form;
    std::unique_ptr<FormControls> m_controls;
};

// "name x,y wxh" of a widget, so a failed comparison shows every place.
inline QString placeText(const QWidget* widget) {
    const QRect r = widget->geometry();
    return QString::fromStdString(placeText(widget->objectName().toStdString(),
                                            FormRect{r.x(), r.y(), r.width(), r.height()}));
}

inline QStringList placesOf(std::initializer_list<const QWidget*> widgets) {
    QStringList places;
    for (const QWidget* widget : widgets) {
        places << placeText(widget);
    }
    return places;
}

// The places a table expects, and the places the form's widgets it names have.
inline QStringList expectedPlaces(const std::vector<FormPlace>& table) {
    QStringList places;
    for (const std::string& place : placeTexts(table)) {
        places << QString::fromStdString(place);
    }
    return places;
}

inline QStringList widgetPlaces(const QWidget& form, const std::vector<FormPlace>& table) {
    QStringList places;
    for (const FormPlace& place : table) {
        places << placeText(widget<QWidget>(form, place.objectName));
    }
    return places;
}

}  // namespace zandor::test
