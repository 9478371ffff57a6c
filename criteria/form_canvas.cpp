#include "criteria/form_canvas.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "criteria/form_layout.h"

using namespace Qt::StringLiterals;

namespace zandor {
namespace {

constexpr int kFrameLineDrop = 6;

FormRect toFormRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

QRect toQRect(const FormRect& r) {
    return {r.x, r.y, r.w, r.h};
}

// Bold 14-pixel Arial, or the metric-compatible face the system has for it.
QFont headerFont() {
    QFont font(u"Arial"_s);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(14);
    font.setBold(true);
    return font;
}

const QString& titleText() {
    static const QString title =
        QCoreApplication::translate("zandor::CLeftView", "Search for Files and Folders");
    return title;
}

// Text placed by the top-left corner of its line, not by its baseline.
void drawTextAt(QPainter& painter, const FormPoint& at, const QString& text) {
    const QRect area(at.x, at.y, 10000, painter.fontMetrics().height());
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

// An etched line around the frame's rectangle, its top half a text line
// down, as a frame without a caption has it; inside, the surface shows.
void drawFrame(QPainter& painter, const QRect& frame) {
    const QRect line = frame.adjusted(0, kFrameLineDrop, -2, -2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QColor(255, 255, 255));
    painter.drawRect(line.translated(1, 1));
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(line);
}

}  // namespace

FormCanvas::FormCanvas(QWidget* parent) : QWidget(parent) {}

void FormCanvas::setFrames(const QWidget* upper, const QWidget* lower) {
    m_upper = upper;
    m_lower = lower;
    update();
}

int FormCanvas::titleWidth() const {
    return QFontMetrics(headerFont()).horizontalAdvance(titleText());
}

void FormCanvas::paintEvent(QPaintEvent* /*event*/) {
    if (m_upper == nullptr || m_lower == nullptr) {
        return;
    }
    const HeaderGeometry header =
        headerPlaces(toFormRect(m_upper->geometry()), toFormRect(m_lower->geometry()));
    QPainter painter(this);
    drawFrame(painter, m_upper->geometry());
    drawFrame(painter, m_lower->geometry());
    painter.setFont(headerFont());
    painter.fillRect(toQRect(header.band), QColor(0, 0, 100));
    painter.setPen(QColor(255, 255, 255));
    drawTextAt(painter, header.bandTextAt,
               QCoreApplication::translate("zandor::CLeftView", "Search Options  >>"));
    painter.setPen(QColor(0, 0, 0));
    drawTextAt(painter, header.titleAt, titleText());
    painter.fillRect(toQRect(header.rule), QColor(192, 192, 192));
}

}  // namespace zandor
