// Painting the text dialogs' icons.
#include "LetterforgeIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace letterforge {
namespace {

QPixmap BlankPicture(int width, int height) {
    QPixmap picture(width, height);
    picture.fill(Qt::transparent);
    return picture;
}

QIcon LetterMark(const QString& letters, const QColor& colour) {
    QPixmap picture = BlankPicture(kFontIconSize, kFontIconSize);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour);
    painter.drawRoundedRect(QRectF(0.5, 0.5, kFontIconSize - 1, kFontIconSize - 1), 2, 2);
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(picture.rect(), Qt::AlignCenter, letters);
    return QIcon(picture);
}

// An arrow across the picture; `reversed` points it left or up instead of right or down.
QIcon Arrow(bool vertical, bool reversed) {
    constexpr int kSide = 24;
    QPixmap picture = BlankPicture(kSide, kSide);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 160), 2));
    painter.setBrush(QColor(0, 0, 160));
    painter.translate(kSide / 2.0, kSide / 2.0);
    painter.rotate((vertical ? 90 : 0) + (reversed ? 180 : 0));
    painter.drawLine(QPointF(-8, 0), QPointF(4, 0));
    QPainterPath head;
    head.moveTo(9, 0);
    head.lineTo(3, -5);
    head.lineTo(3, 5);
    head.closeSubpath();
    painter.drawPath(head);
    return QIcon(picture);
}

}  // namespace

QIcon TrueTypeFontIcon() {
    return LetterMark("T", QColor(0, 90, 200));
}

QIcon ShxFontIcon(bool doubleByte) {
    return doubleByte ? LetterMark(QString::fromUtf8("中"), QColor(190, 30, 30))
                      : LetterMark("A", QColor(60, 60, 60));
}

QIcon ArrayDirectionIcon(bool vertical, bool flag) {
    return Arrow(vertical, flag);
}

}  // namespace letterforge
