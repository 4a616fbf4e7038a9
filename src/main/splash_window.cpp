#include "main/splash_window.h"

#include "main/logic/frame_rules.h"
#include "widgets/window_geometry.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

namespace verbalo {

void TimerSplashClock::after(int milliseconds, QObject* context, std::function<void()> tick) {
    QTimer::singleShot(milliseconds, context, std::move(tick));
}

Tfrm_Logo::Tfrm_Logo(SplashClock& clock, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), clock_(clock) {
    setObjectName(QStringLiteral("frm_Logo"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The picture's grey surround is see-through, so only the logo itself shows.
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(600, 200);
    // Without a compositor the see-through parts would show black; the mask cuts them away.
    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect()).adjusted(4, 4, -4, -4), 26, 26);
    setMask(QRegion(outline.toFillPolygon().toPolygon()));
    const WorkArea area = primaryWorkArea();
    move(area.left + (area.right - area.left - width()) / 2, area.top + (area.bottom - area.top - height()) / 2);
}

void Tfrm_Logo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (started_) return;
    started_ = true;
    setWindowOpacity(1.0);
    clock_.after(kHoldMilliseconds, this, [this] { fadeStep(); });
}

void Tfrm_Logo::fadeStep() {
    opacity_ -= kStep;
    setWindowOpacity(opacity_ / 255.0);
    if (opacity_ <= kCloseAt) {
        close();
        return;
    }
    clock_.after(kStepMilliseconds, this, [this] { fadeStep(); });
}

void Tfrm_Logo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(rect()).adjusted(6, 6, -6, -6);
    QLinearGradient back(card.topLeft(), card.bottomRight());
    back.setColorAt(0, QColor(24, 74, 150));
    back.setColorAt(1, QColor(10, 30, 80));
    p.setPen(QPen(QColor(255, 210, 90), 3));
    p.setBrush(back);
    p.drawRoundedRect(card, 24, 24);

    // A book standing open on the left.
    QPainterPath left, right;
    left.moveTo(40, 60);
    left.cubicTo(70, 48, 100, 52, 120, 66);
    left.lineTo(120, 150);
    left.cubicTo(100, 136, 70, 132, 40, 144);
    left.closeSubpath();
    right.moveTo(200, 60);
    right.cubicTo(170, 48, 140, 52, 120, 66);
    right.lineTo(120, 150);
    right.cubicTo(140, 136, 170, 132, 200, 144);
    right.closeSubpath();
    p.setPen(QPen(QColor(200, 180, 120), 2));
    p.setBrush(QColor(250, 246, 228));
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(QColor(150, 150, 150), 1.5));
    for (int i = 0; i < 4; ++i) {
        p.drawLine(QPointF(55, 80 + 14 * i), QPointF(108, 84 + 14 * i));
        p.drawLine(QPointF(132, 84 + 14 * i), QPointF(185, 80 + 14 * i));
    }

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(56);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(255, 255, 255));
    p.drawText(QRectF(230, 40, 350, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Verbalo"));
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(18);
    p.setFont(sub);
    p.setPen(QColor(255, 220, 120));
    p.drawText(QRectF(234, 112, 350, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Szótárak egy helyen"));
    p.setPen(QColor(190, 205, 235));
    p.drawText(QRectF(234, 142, 340, 28), Qt::AlignLeft | Qt::AlignVCenter, programVersion());
}

} // namespace verbalo
