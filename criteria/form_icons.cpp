#include "criteria/form_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

using namespace Qt::StringLiterals;

namespace zandor {
namespace {

constexpr int kDrawnSize = 32;

QPixmap blankPixmap() {
    QPixmap pixmap(kDrawnSize, kDrawnSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon drawnDrive() {
    QPixmap pixmap = blankPixmap();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(70, 70, 70));
    painter.setBrush(QColor(190, 190, 190));
    painter.drawRoundedRect(QRectF(2.5, 10.5, 27, 12), 2, 2);
    painter.setBrush(QColor(40, 160, 40));
    painter.drawEllipse(QPointF(24, 16.5), 2, 2);
    return QIcon(pixmap);
}

QIcon drawnFolder() {
    QPixmap pixmap = blankPixmap();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(150, 120, 20));
    painter.setBrush(QColor(240, 200, 60));
    QPainterPath path;
    path.moveTo(2.5, 7.5);
    path.lineTo(12.5, 7.5);
    path.lineTo(15.5, 10.5);
    path.lineTo(29.5, 10.5);
    path.lineTo(29.5, 26.5);
    path.lineTo(2.5, 26.5);
    path.closeSubpath();
    painter.drawPath(path);
    return QIcon(pixmap);
}

QIcon drawnMagnifier() {
    QPixmap pixmap = blankPixmap();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(19, 19), QPointF(28, 28));
    painter.setPen(QPen(QColor(60, 60, 60), 2.5));
    painter.setBrush(QColor(200, 225, 255));
    painter.drawEllipse(QPointF(13, 13), 9, 9);
    return QIcon(pixmap);
}

}  // namespace

QIcon driveIcon() {
    static const QIcon icon = QIcon::fromTheme(u"drive-harddisk"_s, drawnDrive());
    return icon;
}

QIcon folderIcon() {
    static const QIcon icon = QIcon::fromTheme(u"folder"_s, drawnFolder());
    return icon;
}

QIcon searchIcon() {
    static const QIcon icon = QIcon::fromTheme(u"system-search"_s, drawnMagnifier());
    return icon;
}

}  // namespace zandor
