#include "app/lock_key_indicators.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStatusBar>

namespace zandor {

namespace {

struct Indicator {
    const char* text;
    const char* suffix;
};

constexpr Indicator kIndicators[3] = {
    {"CAP", "::capslock"}, {"NUM", "::numlock"}, {"SCRL", "::scrolllock"}};

}  // namespace

LockKeyIndicators::LockKeyIndicators(QStatusBar* bar, QString ledFolder)
    : QObject(bar), m_ledFolder(std::move(ledFolder)) {
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("indicator") +
                             QString::fromLatin1(kIndicators[i].text));
        label->setAlignment(Qt::AlignCenter);
        // Wide enough for its text, so the bar does not jump when it shows.
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addPermanentWidget(label);
        m_labels[i] = label;
    }
    connect(&m_timer, &QTimer::timeout, this, &LockKeyIndicators::refresh);
    m_timer.start(kPollMs);
    refresh();
}

bool LockKeyIndicators::lightOn(const QString& ledFolder, const QString& suffix) {
    const QDir folder(ledFolder);
    for (const QString& name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        if (!name.endsWith(suffix)) {
            continue;
        }
        QFile brightness(folder.filePath(name + QStringLiteral("/brightness")));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed().toInt() > 0) {
            return true;
        }
    }
    return false;
}

void LockKeyIndicators::refresh() {
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        const bool on = lightOn(m_ledFolder, QString::fromLatin1(kIndicators[i].suffix));
        m_labels[i]->setText(on ? QString::fromLatin1(kIndicators[i].text) : QString());
    }
}

}  // namespace zandor
