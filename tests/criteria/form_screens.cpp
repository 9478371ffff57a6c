// Saves pictures of the criteria form: at start, with each option section
// open, and with all four open. Run on the offscreen platform:
//   QT_QPA_PLATFORM=offscreen criteria_form_screens docs/screens
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QIcon>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>

#include <cstdio>
#include <initializer_list>

#include "criteria/left_view.h"
#include "form_test_support.h"

using namespace Qt::StringLiterals;

namespace {

void save(zandor::CLeftView& form, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    if (!form.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
}

void saveWindow(QWidget* window, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
}

void withOpen(zandor::CLeftView& form, std::initializer_list<QCheckBox*> boxes, const QDir& folder,
              const QString& name) {
    for (QCheckBox* box : boxes) {
        box->click();
    }
    QApplication::processEvents();
    save(form, folder, name);
    for (QCheckBox* box : boxes) {
        box->click();
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (QIcon::themeName().isEmpty()) {
        QIcon::setThemeSearchPaths({u"/usr/share/icons"_s});
        QIcon::setThemeName(u"Adwaita"_s);
        QIcon::setFallbackThemeName(u"hicolor"_s);
    }
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"."_s);
    zandor::LiveConditionsBoard board;
    zandor::CLeftView form(board);
    form.resize(220, 660);
    form.show();
    QApplication::processEvents();
    const zandor::test::FormControls controls(form);
    save(form, folder, u"form-start.png"_s);
    withOpen(form, {controls.checkSize}, folder, u"form-size-open.png"_s);
    withOpen(form, {controls.checkDate}, folder, u"form-date-open.png"_s);
    withOpen(form, {controls.checkType}, folder, u"form-type-open.png"_s);
    withOpen(form, {controls.checkAdvanced}, folder, u"form-advanced-open.png"_s);
    // A folder typed into the look-in field shows after the drives, indented.
    controls.comboLookIn->lineEdit()->setFocus();
    QTest::keyClicks(controls.comboLookIn->lineEdit(), u"~/Documents"_s);
    controls.comboLookIn->showPopup();
    QApplication::processEvents();
    saveWindow(controls.comboLookIn->view()->window(), folder, u"form-look-in-list.png"_s);
    controls.comboLookIn->hidePopup();
    form.resize(220, 740);
    withOpen(form,
             {controls.checkSize, controls.checkDate, controls.checkType, controls.checkAdvanced},
             folder, u"form-all-open.png"_s);
    return 0;
}
