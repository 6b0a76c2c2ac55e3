#include "tceditor/TcPictures.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace orvik::tceditor::tcpictures {
namespace {

// Draws on a transparent square in a 32 x 32 coordinate system.
QPixmap drawn(int side, const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 32.0, side / 32.0);
    draw(painter);
    return pixmap;
}

QPixmap themed(const char* iconName, int side, const std::function<void(QPainter&)>& draw)
{
    if (QIcon::hasThemeIcon(QString::fromLatin1(iconName)))
        return QIcon::fromTheme(QString::fromLatin1(iconName)).pixmap(side, side);
    return drawn(side, draw);
}

void drawEquipment(QPainter& p)
{
    p.setPen(QPen(QColor(60, 60, 70), 1));
    p.setBrush(QColor(176, 182, 194));
    p.drawRoundedRect(QRectF(3, 8, 26, 18), 2, 2);
    p.setBrush(QColor(40, 70, 110));
    p.drawRect(QRectF(6, 11, 12, 8));
    const QColor leds[] = {QColor(60, 200, 80), QColor(240, 180, 40), QColor(220, 60, 50)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(leds[i]);
        p.drawEllipse(QPointF(23, 12.5 + 4 * i), 1.5, 1.5);
    }
    p.setBrush(QColor(120, 126, 138));
    p.drawRect(QRectF(6, 26, 4, 3));
    p.drawRect(QRectF(22, 26, 4, 3));
}

void drawOpenFolder(QPainter& p)
{
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(230, 190, 80));
    p.drawPolygon(
        QPolygonF({QPointF(2, 8), QPointF(11, 8), QPointF(13, 10), QPointF(27, 10), QPointF(27, 27), QPointF(2, 27)}));
    p.setPen(QPen(QColor(110, 110, 110), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 4, 15, 18));
    p.setPen(QPen(QColor(90, 120, 190), 1));
    for (int line = 0; line < 4; ++line)
        p.drawLine(QPointF(11, 8.5 + 3 * line), QPointF(20, 8.5 + 3 * line));
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(248, 214, 110));
    p.drawPolygon(QPolygonF({QPointF(6, 15), QPointF(31, 15), QPointF(27, 27), QPointF(2, 27)}));
}

void drawWasteBin(QPainter& p)
{
    p.setPen(QPen(QColor(60, 70, 80), 1));
    p.setBrush(QColor(150, 165, 180));
    p.drawPolygon(QPolygonF({QPointF(7, 9), QPointF(25, 9), QPointF(23, 29), QPointF(9, 29)}));
    p.drawRoundedRect(QRectF(5, 6, 22, 3), 1, 1);
    p.drawRect(QRectF(13, 3, 6, 3));
    p.setPen(QPen(QColor(90, 100, 115), 1.4));
    for (double x : {12.0, 16.0, 20.0})
        p.drawLine(QPointF(x, 12), QPointF(x + (x - 16) * 0.1, 26));
}

} // namespace

QPixmap telecommand()
{
    QPixmap pixmap(60, 40);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A command card with a clipped corner, a title and rows of words.
    QPainterPath card;
    card.moveTo(1.5, 1.5);
    card.lineTo(50.5, 1.5);
    card.lineTo(58.5, 9.5);
    card.lineTo(58.5, 38.5);
    card.lineTo(1.5, 38.5);
    card.closeSubpath();
    p.setPen(QPen(QColor(40, 60, 120), 1));
    p.setBrush(QColor(255, 246, 200));
    p.drawPath(card);
    p.setBrush(QColor(40, 60, 120));
    p.drawRect(QRectF(1.5, 1.5, 18, 12));
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(10);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(1.5, 1.5, 18, 12), Qt::AlignCenter, QStringLiteral("TC"));
    p.setPen(QPen(QColor(120, 120, 140), 2));
    for (int row = 0; row < 3; ++row)
        for (int word = 0; word < 4; ++word)
            p.drawLine(QPointF(5 + 13 * word, 19.5 + 6 * row), QPointF(14 + 13 * word, 19.5 + 6 * row));
    return pixmap;
}

QPixmap equipment(int side) { return themed("computer", side, drawEquipment); }
QPixmap openFolder(int side) { return themed("folder-open", side, drawOpenFolder); }
QPixmap wasteBin(int side) { return themed("user-trash", side, drawWasteBin); }

} // namespace orvik::tceditor::tcpictures
