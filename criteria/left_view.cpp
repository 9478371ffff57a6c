#include "criteria/left_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "criteria/control_ids.h"
#include "criteria/form_canvas.h"
#include "criteria/form_icons.h"
#include "criteria/form_lists.h"
#include "search/file_types.h"

using namespace Qt::StringLiterals;

namespace zandor {
namespace {

// An 8-point sans-serif at 96 dots per inch, pinned to whole pixels so the
// form's pixel positions hold on any screen.
QFont formFont() {
    QFont font(u"Arial"_s);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A list's word in the user's language (the lists keep them in English).
QString listText(const char* context, std::string_view text) {
    return QCoreApplication::translate(context, std::string(text).c_str());
}

// The patterns of the Leave out field: the blank-separated words, as the
// file system's bytes.
std::vector<std::string> leaveOutPatterns(const QString& text) {
    std::vector<std::string> patterns;
    for (const QString& word : text.simplified().split(u' ', Qt::SkipEmptyParts)) {
        patterns.push_back(QFile::encodeName(word).toStdString());
    }
    return patterns;
}

QWidget* frameHolder(QWidget* canvas) {
    auto* frame = new QWidget(canvas);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    return frame;
}

}  // namespace

CLeftView::CLeftView(LiveConditionsBoard& board, QWidget* parent)
    : CLeftView(board, mountedVolumes(), parent) {}

CLeftView::CLeftView(LiveConditionsBoard& board, const std::vector<MountedVolume>& drives,
                     QWidget* parent)
    : QScrollArea(parent), m_board(board), m_chooseFolder([](QWidget* owner) {
          return QFileDialog::getExistingDirectory(owner, u"Browse for Folder"_s);
      }) {
    setObjectName(u"leftView"_s);
    setFrameShape(QFrame::NoFrame);
    setFont(formFont());
    m_canvas = new FormCanvas;
    m_canvas->setObjectName(u"formCanvas"_s);
    setWidget(m_canvas);
    createControls();
    m_canvas->setFrames(m_groupNamed, m_groupOptions);
    FillDriveList(drives);
    fillLists();
    m_checkSubDirs->setChecked(true);
    connectControls();
    applyLayout();
    // The first layout holds stand-in widths; give it real ones at once.
    OnSize(std::max(viewport()->width(), sizeHint().width()), viewport()->height());
    publish();
}

void CLeftView::setFolderChooser(std::function<QString(QWidget*)> chooser) {
    m_chooseFolder = std::move(chooser);
}

std::optional<SearchRequest> CLeftView::takeSearchRequest() {
    // An edited look-in text becomes the typed item first, so that it is
    // selected and searched: the field shows what is searched.
    std::optional<std::string> folder;
    if (m_bLookInEdited) {
        m_bLookInEdited = false;
        const QString typed = m_comboLookIn->currentText();
        if (typed.isEmpty()) {
            // An emptied field names no folder, and nothing is searched (the
            // search ends at once with the notice row); the item the field
            // showed before is no longer selected.
            m_comboLookIn->setCurrentIndex(-1);
            folder = std::string();
        } else {
            AddTypedPath(typed);
        }
    }
    if (!folder) {
        folder = selectedLookInFolder();
    }
    if (!folder) {
        return std::nullopt;
    }
    SearchRequest request;
    request.m_strFolder = *folder;
    request.m_strNamePattern = QFile::encodeName(m_editName->text()).toStdString();
    request.m_bCaseSensitive = m_bCaseSensitive;
    request.m_leaveOut = leaveOutPatterns(m_editLeaveOut->text());
    request.m_bStayOnDisk = m_checkStayOnDisk->isChecked();
    return request;
}

void CLeftView::setSearching(bool searching) {
    QPushButton* enabled = searching ? m_btnStop : m_btnSearch;
    QPushButton* disabled = searching ? m_btnSearch : m_btnStop;
    const bool hadFocus = disabled->hasFocus();
    enabled->setEnabled(true);
    // The keyboard focus passes to the other button rather than leaving the form.
    if (hadFocus) {
        enabled->setFocus(Qt::OtherFocusReason);
    }
    disabled->setEnabled(false);
}

void CLeftView::createControls() {
    auto adopt = [this](FormControl which, QWidget* widget, int id, const QString& name) {
        widget->setObjectName(name);
        widget->setProperty("controlId", id);
        m_controls[static_cast<std::size_t>(which)] = widget;
    };
    // Each Alt letter does one thing: the menu bar keeps F (File) and V
    // (View), so the name field answers to N and Include Sub Directories,
    // whose I is Look in's, to U.
    m_labelName = new QLabel(tr("Search for  file or folders &named:"), m_canvas);
    adopt(FormControl::NameLabel, m_labelName, control_id::kNoId, u"labelName"_s);
    m_labelLookIn = new QLabel(tr("Look &in  :"), m_canvas);
    adopt(FormControl::LookInLabel, m_labelLookIn, control_id::kNoId, u"labelLookIn"_s);
    m_groupOptions = frameHolder(m_canvas);
    adopt(FormControl::GroupOptions, m_groupOptions, control_id::kGroupOptions, u"groupOptions"_s);
    m_groupNamed = frameHolder(m_canvas);
    adopt(FormControl::GroupNamed, m_groupNamed, control_id::kGroupNamed, u"groupNamed"_s);
    m_staticDays = new QLabel(tr("Days"), m_canvas);
    adopt(FormControl::StaticDays, m_staticDays, control_id::kStaticDays, u"staticDays"_s);
    m_staticMonths = new QLabel(tr("Months"), m_canvas);
    adopt(FormControl::StaticMonths, m_staticMonths, control_id::kStaticMonths, u"staticMonths"_s);
    m_iconSearch = new QLabel(m_canvas);
    m_iconSearch->setPixmap(searchIcon().pixmap(32, 32));
    adopt(FormControl::Icon, m_iconSearch, control_id::kNoId, u"iconSearch"_s);
    m_staticKB = new QLabel(tr("KB"), m_canvas);
    adopt(FormControl::StaticKB, m_staticKB, control_id::kStaticKB, u"staticKB"_s);

    m_editName = new QLineEdit(m_canvas);
    adopt(FormControl::EditName, m_editName, control_id::kEditName, u"editName"_s);
    m_comboLookIn = new QComboBox(m_canvas);
    adopt(FormControl::ComboLookIn, m_comboLookIn, control_id::kComboLookIn, u"comboLookIn"_s);
    m_btnBrowse = new QPushButton(tr("&Browse"), m_canvas);
    adopt(FormControl::BtnBrowse, m_btnBrowse, control_id::kBtnBrowse, u"btnBrowse"_s);
    m_labelName->setBuddy(m_editName);
    m_labelLookIn->setBuddy(m_comboLookIn);

    m_checkSize = new QCheckBox(tr("Si&ze"), m_canvas);
    adopt(FormControl::CheckSize, m_checkSize, control_id::kCheckSize, u"checkSize"_s);
    m_comboSizeRelation = new QComboBox(m_canvas);
    adopt(FormControl::ComboSizeRelation, m_comboSizeRelation, control_id::kComboSizeRelation,
          u"comboSizeRelation"_s);
    m_editSize = new QLineEdit(m_canvas);
    adopt(FormControl::EditSize, m_editSize, control_id::kEditSize, u"editSize"_s);
    m_checkDate = new QCheckBox(tr("&Date"), m_canvas);
    adopt(FormControl::CheckDate, m_checkDate, control_id::kCheckDate, u"checkDate"_s);
    m_comboDateKind = new QComboBox(m_canvas);
    adopt(FormControl::ComboDateKind, m_comboDateKind, control_id::kComboDateKind,
          u"comboDateKind"_s);
    m_radioDays = new QRadioButton(tr("in the last"), m_canvas);
    adopt(FormControl::RadioDays, m_radioDays, control_id::kRadioDays, u"radioDays"_s);
    m_editDays = new QLineEdit(m_canvas);
    adopt(FormControl::EditDays, m_editDays, control_id::kEditDays, u"editDays"_s);
    m_radioMonths = new QRadioButton(tr("in the last"), m_canvas);
    adopt(FormControl::RadioMonths, m_radioMonths, control_id::kRadioMonths, u"radioMonths"_s);
    m_editMonths = new QLineEdit(m_canvas);
    adopt(FormControl::EditMonths, m_editMonths, control_id::kEditMonths, u"editMonths"_s);
    m_checkType = new QCheckBox(tr("T&ype"), m_canvas);
    adopt(FormControl::CheckType, m_checkType, control_id::kCheckType, u"checkType"_s);
    m_comboType = new QComboBox(m_canvas);
    adopt(FormControl::ComboType, m_comboType, control_id::kComboType, u"comboType"_s);
    m_checkAdvanced = new QCheckBox(tr("Advanced &Options"), m_canvas);
    adopt(FormControl::CheckAdvanced, m_checkAdvanced, control_id::kCheckAdvanced,
          u"checkAdvanced"_s);
    m_checkSubDirs = new QCheckBox(tr("Include S&ub Directories"), m_canvas);
    adopt(FormControl::CheckSubDirs, m_checkSubDirs, control_id::kCheckSubDirs, u"checkSubDirs"_s);
    m_checkCase = new QCheckBox(tr("&Case Sensitive"), m_canvas);
    adopt(FormControl::CheckCase, m_checkCase, control_id::kCheckCase, u"checkCase"_s);
    createAdvancedRows(adopt);
    m_btnSearch = new QPushButton(tr("&Search"), m_canvas);
    adopt(FormControl::BtnSearch, m_btnSearch, control_id::kBtnSearch, u"btnSearch"_s);
    m_btnStop = new QPushButton(tr("S&top"), m_canvas);
    adopt(FormControl::BtnStop, m_btnStop, control_id::kBtnStop, u"btnStop"_s);
    m_btnSearch->setDefault(true);

    nameFields();
    for (FormSection section :
         {FormSection::Size, FormSection::Date, FormSection::Type, FormSection::Advanced}) {
        showSection(section, false);
    }
}

template <typename Adopt>
void CLeftView::createAdvancedRows(Adopt&& adopt) {
    // Their letters are free of the menus' and the other controls' (A, K,
    // L, X), so that each Alt letter still does one thing.
    m_labelContaining = new QLabel(tr("Containing te&xt:"), m_canvas);
    adopt(FormControl::LabelContaining, m_labelContaining, control_id::kLabelContaining,
          u"labelContaining"_s);
    m_editContaining = new QLineEdit(m_canvas);
    adopt(FormControl::EditContaining, m_editContaining, control_id::kEditContaining,
          u"editContaining"_s);
    m_checkBinary = new QCheckBox(tr("Include bin&ary files"), m_canvas);
    adopt(FormControl::CheckBinary, m_checkBinary, control_id::kCheckBinary, u"checkBinary"_s);
    m_labelLeaveOut = new QLabel(tr("&Leave out:"), m_canvas);
    adopt(FormControl::LabelLeaveOut, m_labelLeaveOut, control_id::kLabelLeaveOut,
          u"labelLeaveOut"_s);
    m_editLeaveOut = new QLineEdit(m_canvas);
    m_editLeaveOut->setPlaceholderText(u"*.o build/ .git"_s);
    m_editLeaveOut->setToolTip(
        tr("Patterns separated by blanks: * ? and [...] match a name, or, with a /, "
           "a path below the look-in folder. A trailing / leaves out folders only."));
    adopt(FormControl::EditLeaveOut, m_editLeaveOut, control_id::kEditLeaveOut, u"editLeaveOut"_s);
    m_checkStayOnDisk = new QCheckBox(tr("Stay on this dis&k"), m_canvas);
    m_checkStayOnDisk->setToolTip(
        tr("Folders on another disk or file system are listed but not entered"));
    adopt(FormControl::CheckStayOnDisk, m_checkStayOnDisk, control_id::kCheckStayOnDisk,
          u"checkStayOnDisk"_s);
    m_labelContaining->setBuddy(m_editContaining);
    m_labelLeaveOut->setBuddy(m_editLeaveOut);
}

void CLeftView::nameFields() {
    // What a screen reader says for the fields and lists: those without a
    // label of their own are named by what they hold.
    const std::pair<QWidget*, QString> names[] = {
        {m_editName, tr("Search for file or folders named")},
        {m_comboLookIn, tr("Look in")},
        {m_comboSizeRelation, tr("Size is")},
        {m_editSize, tr("Size in KB")},
        {m_comboDateKind, tr("Date of")},
        {m_editDays, tr("Days")},
        {m_editMonths, tr("Months")},
        {m_comboType, tr("Type")},
        {m_radioDays, tr("In the last days")},
        {m_radioMonths, tr("In the last months")},
    };
    for (const auto& [widget, name] : names) {
        widget->setAccessibleName(name);
    }
}

void CLeftView::fillLists() {
    for (const auto& relation : kSizeRelationChoices) {
        m_comboSizeRelation->addItem(listText(kFormListContext, relation.text));
    }
    // Each description stays paired with its extension however the list is sorted.
    for (const FileType& type : kFileTypes) {
        m_comboType->addItem(listText(kTypeListContext, type.description),
                             toQString(type.extension));
    }
    // The broad kinds follow; each stands in the condition by its word.
    for (const FileKindName& kind : kFileKinds) {
        m_comboType->addItem(listText(kTypeListContext, kind.description), toQString(kind.word));
    }
    for (const auto& kind : kDateKindChoices) {
        m_comboDateKind->addItem(listText(kFormListContext, kind.text));
    }
    // Every list starts with no choice made.
    for (QComboBox* list : {m_comboSizeRelation, m_comboType, m_comboDateKind}) {
        list->setCurrentIndex(-1);
    }
}

void CLeftView::connectControls() {
    connectSections();
    connectLookIn();
    connect(m_btnSearch, &QPushButton::clicked, this, &CLeftView::searchRequested);
    connect(m_btnStop, &QPushButton::clicked, this, &CLeftView::stopRequested);
    // Enter in a text field presses the default button, Search.
    connect(m_editName, &QLineEdit::returnPressed, m_btnSearch, &QPushButton::click);
}

void CLeftView::connectSections() {
    connect(m_checkSize, &QCheckBox::clicked, this, &CLeftView::OnSizeCheck);
    connect(m_checkDate, &QCheckBox::clicked, this, &CLeftView::OnDateCheck);
    connect(m_checkType, &QCheckBox::clicked, this, &CLeftView::OnTypeCheck);
    connect(m_checkAdvanced, &QCheckBox::clicked, this, &CLeftView::OnAdvancedCheck);
    connect(m_comboSizeRelation, &QComboBox::activated, this, &CLeftView::OnSelchangeSizeRelation);
    connect(m_comboType, &QComboBox::activated, this, &CLeftView::OnSelchangeType);
    connect(m_comboDateKind, &QComboBox::activated, this, &CLeftView::OnSelchangeDateKind);
    // The walk reads the date kind as the list shows it, however it was chosen.
    connect(m_comboDateKind, &QComboBox::currentIndexChanged, this, &CLeftView::publish);
    connect(m_radioDays, &QRadioButton::clicked, this, &CLeftView::OnDaysRadio);
    connect(m_radioMonths, &QRadioButton::clicked, this, &CLeftView::OnMonthsRadio);
    m_editDays->installEventFilter(this);
    m_editMonths->installEventFilter(this);
    for (QLineEdit* number : {m_editSize, m_editDays, m_editMonths}) {
        connect(number, &QLineEdit::textChanged, this, &CLeftView::publish);
    }
    connect(m_checkSubDirs, &QCheckBox::clicked, this, &CLeftView::OnSubDirsCheck);
    connect(m_checkCase, &QCheckBox::clicked, this, &CLeftView::OnCaseCheck);
    // The containing text is a live condition: a running walk reads it from
    // its next file on.
    connect(m_editContaining, &QLineEdit::textChanged, this, &CLeftView::OnChangeContaining);
    connect(m_checkBinary, &QCheckBox::clicked, this, &CLeftView::OnBinaryCheck);
    connect(m_editContaining, &QLineEdit::returnPressed, m_btnSearch, &QPushButton::click);
    connect(m_editLeaveOut, &QLineEdit::returnPressed, m_btnSearch, &QPushButton::click);
}

bool CLeftView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_editDays) {
            OnSetfocusDays();
        } else if (watched == m_editMonths) {
            OnSetfocusMonths();
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

}  // namespace zandor
