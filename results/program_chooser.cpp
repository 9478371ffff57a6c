#include "results/program_chooser.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zandor {

namespace {

constexpr int kProgramIndex = Qt::UserRole;

}  // namespace

QIcon programIcon(const std::string& iconName) {
    const QString name = QString::fromStdString(iconName);
    if (name.startsWith(QLatin1Char('/'))) {
        return QIcon(name);
    }
    return name.isEmpty() ? QIcon() : QIcon::fromTheme(name);
}

ProgramChooser::ProgramChooser(std::vector<DesktopProgram> programs, QWidget* parent)
    : QDialog(parent),
      m_programs(std::move(programs)),
      m_filter(new QLineEdit(this)),
      m_list(new QListWidget(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setObjectName(QStringLiteral("programChooser"));
    setWindowTitle(tr("Open With"));
    m_filter->setObjectName(QStringLiteral("programFilter"));
    m_filter->setPlaceholderText(tr("Filter programs"));
    m_filter->setClearButtonEnabled(true);
    m_filter->installEventFilter(this);
    m_list->setObjectName(QStringLiteral("programList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);
    m_buttons->setObjectName(QStringLiteral("programButtons"));
    for (std::size_t i = 0; i < m_programs.size(); ++i) {
        auto* item = new QListWidgetItem(programIcon(m_programs[i].iconName),
                                         QString::fromStdString(m_programs[i].name), m_list);
        item->setData(kProgramIndex, static_cast<qulonglong>(i));
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_filter);
    layout->addWidget(m_list);
    layout->addWidget(m_buttons);
    connect(m_filter, &QLineEdit::textChanged, this, &ProgramChooser::filter);
    connect(m_list, &QListWidget::currentItemChanged, this, &ProgramChooser::updateOk);
    connect(m_list, &QListWidget::itemActivated, this, &ProgramChooser::accept);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &ProgramChooser::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &ProgramChooser::reject);
    m_filter->setFocus();
    filter({});
    resize(360, 420);
}

std::optional<DesktopProgram> ProgramChooser::chosen() const {
    const QListWidgetItem* item = m_list->currentItem();
    if (result() != QDialog::Accepted || item == nullptr || item->isHidden()) {
        return std::nullopt;
    }
    return m_programs[item->data(kProgramIndex).toULongLong()];
}

void ProgramChooser::filter(const QString& text) {
    QListWidgetItem* first = nullptr;
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        const bool shown = item->text().contains(text, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && first == nullptr) {
            first = item;
        }
    }
    m_list->setCurrentItem(first);
    updateOk();
}

void ProgramChooser::updateOk() {
    const QListWidgetItem* item = m_list->currentItem();
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(item != nullptr && !item->isHidden());
}

bool ProgramChooser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_filter && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
            key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown) {
            QKeyEvent copy(key->type(), key->key(), key->modifiers());
            QCoreApplication::sendEvent(m_list, &copy);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace zandor
