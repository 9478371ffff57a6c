// The look-in list of the criteria form: the drives, and one folder that was
// typed or chosen with Browse.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

#include "criteria/form_icons.h"
#include "criteria/indent_delegate.h"
#include "criteria/left_view.h"
#include "criteria/look_in_path.h"
#include "text/name_text.h"

namespace zandor {
namespace {

// The raw bytes of an item's path, which the display text may not hold
// exactly when a mount point is not valid UTF-8.
constexpr int kRawPathRole = Qt::UserRole;

}  // namespace

void CLeftView::connectLookIn() {
    m_comboLookIn->setEditable(true);
    m_comboLookIn->setInsertPolicy(QComboBox::NoInsert);
    // Typing must not be completed from the drive items behind the user's back.
    m_comboLookIn->setCompleter(nullptr);
    m_comboLookIn->setItemDelegate(new IndentDelegate(m_comboLookIn));
    m_comboLookIn->setIconSize(QSize(16, 16));
    QLineEdit* edit = m_comboLookIn->lineEdit();
    edit->setObjectName(QStringLiteral("editLookIn"));
    edit->setAccessibleName(tr("Look in"));
    // A path may be longer than any fixed buffer; keep it whole.
    edit->setMaxLength(std::numeric_limits<int>::max());
    connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) {
        OnEditupdateLookIn(text);
        m_bLookInEdited = true;
    });
    connect(edit, &QLineEdit::returnPressed, m_btnSearch, &QPushButton::click);
    connect(m_btnBrowse, &QPushButton::clicked, this, &CLeftView::OnBrowse);
}

void CLeftView::FillDriveList(const std::vector<MountedVolume>& drives) {
    int count = 0;
    for (const MountedVolume& drive : drives) {
        // Shown as the results pane shows paths; searched by its own bytes.
        m_comboLookIn->insertItem(count, driveIcon(), displayText(drive.mountPoint),
                                  QByteArray::fromStdString(drive.mountPoint));
        m_comboLookIn->setItemData(count, 0, kIndentRole);
        ++count;
    }
    m_nDriveCount = count;
    m_comboLookIn->setCurrentIndex(-1);
}

void CLeftView::AddTypedPath(const QString& text) {
    // The new item goes in and is selected before the old one leaves, so the
    // field never shows another item's text on the way.
    const int added = m_comboLookIn->count();
    m_comboLookIn->insertItem(added, folderIcon(), text, QFile::encodeName(text));
    m_comboLookIn->setItemData(added, 1, kIndentRole);
    m_comboLookIn->setCurrentIndex(added);
    if (added > m_nDriveCount) {
        m_comboLookIn->removeItem(m_nDriveCount);
    }
}

std::optional<std::string> CLeftView::selectedLookInFolder() const {
    const int selected = m_comboLookIn->currentIndex();
    if (selected < 0) {
        return std::nullopt;
    }
    const QByteArray raw = m_comboLookIn->itemData(selected, kRawPathRole).toByteArray();
    return expandHomePrefix(raw.toStdString(), QFile::encodeName(QDir::homePath()).toStdString());
}

void CLeftView::OnEditupdateLookIn(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    // Selecting the new item sets the field's text anew, which would put the
    // caret at the end while the user types in the middle.
    QLineEdit* edit = m_comboLookIn->lineEdit();
    const int caret = edit->cursorPosition();
    AddTypedPath(text);
    edit->setCursorPosition(caret);
}

void CLeftView::OnBrowse() {
    const QString folder = m_chooseFolder(this);
    if (!folder.isEmpty()) {
        AddTypedPath(folder);
    }
}

}  // namespace zandor
