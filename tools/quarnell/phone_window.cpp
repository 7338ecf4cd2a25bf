// tools/quarnell/phone_window.cpp — paints the phone and its screen.
#include "phone_window.h"

#include "phone_layout.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainterPath>

namespace {

QColor ColourOf(uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

QFont PixelFont(int pixels, bool bold) {
  QFont font("DejaVu Sans");
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

// The rectangle the screen's content may use, in screen coordinates.
QRect ScreenContentRect() {
  return QRect(kScreenMargin, kScreenMargin, kScreenWidth - 2 * kScreenMargin,
               kScreenHeight - 2 * kScreenMargin);
}

// Draws one line of text at top y, cut with "…" to width; answers the next y.
int DrawLine(QPainter& painter, int x, int y, int width, const QString& text, const QFont& font) {
  painter.setFont(font);
  QFontMetrics metrics(font);
  painter.drawText(QRect(x, y, width, metrics.height()), Qt::AlignLeft | Qt::AlignTop,
                   metrics.elidedText(text, Qt::ElideRight, width));
  return y + metrics.height();
}

void DrawIcon(QPainter& painter, const QImage& icon, QPoint corner) {
  if (icon.isNull()) {
    painter.setPen(ColourOf(kTextColour));
    painter.drawRect(QRect(corner, QSize(kIconBox - 1, kIconBox - 1)));
    painter.setFont(PixelFont(20, true));
    painter.drawText(QRect(corner, QSize(kIconBox, kIconBox)), Qt::AlignCenter, "?");
    return;
  }
  QImage shown = icon;
  if (icon.width() > kIconBox || icon.height() > kIconBox)
    shown = icon.scaled(kIconBox, kIconBox, Qt::KeepAspectRatio, Qt::FastTransformation);
  painter.drawImage(corner, shown);
}

void DrawNotice(QPainter& painter, QRect box, const QString& text) {
  painter.setPen(ColourOf(kTextColour));
  painter.drawLine(box.left(), box.top(), box.right(), box.top());
  painter.setFont(PixelFont(10, false));
  painter.drawText(box.adjusted(0, 3, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
}

void DrawMidletDetails(QPainter& painter, const MidletInfo& info, const QImage& icon) {
  QRect content = ScreenContentRect();
  QPoint iconCorner = content.topLeft() + QPoint(2, 2);
  DrawIcon(painter, icon, iconCorner);
  int x = iconCorner.x() + kIconBox + 6;
  int width = content.right() - x;
  painter.setPen(ColourOf(kTextColour));
  int y = DrawLine(painter, x, iconCorner.y(), width,
                   info.name.empty() ? "(no MIDlet-Name)" : QString::fromStdString(info.name), PixelFont(12, true));
  y = DrawLine(painter, x, y, width, QString::fromStdString(info.vendor), PixelFont(10, false));
  DrawLine(painter, x, y, width, "Version " + QString::fromStdString(info.version), PixelFont(10, false));

  y = iconCorner.y() + kIconBox + 4;
  painter.drawLine(content.left(), y, content.right(), y);
  y = DrawLine(painter, content.left(), y + 3, content.width(), "MIDlets:", PixelFont(10, true));
  QRect notice(content.left(), content.bottom() - 44, content.width(), 45);
  int lineHeight = QFontMetrics(PixelFont(10, false)).height();
  for (size_t i = 0; i < info.midlets.size() && y + lineHeight <= notice.top(); ++i) {
    const MidletEntry& entry = info.midlets[i];
    QString line = QString::fromUtf8("\u2022 ") + QString::fromStdString(entry.name);
    if (!entry.className.empty()) line += " (" + QString::fromStdString(entry.className) + ")";
    y = DrawLine(painter, content.left() + 2, y, content.width() - 2, line, PixelFont(10, false));
  }
  if (info.midlets.empty()) DrawLine(painter, content.left() + 2, y, content.width() - 2, "(none listed)", PixelFont(10, false));
  DrawNotice(painter, notice,
             "This emulator only shows the MIDlet's details: the MIDlet's code is not run.");
}

void DrawProblem(QPainter& painter, const MidletInfo& info) {
  QRect content = ScreenContentRect();
  painter.setPen(ColourOf(kTextColour));
  int y = DrawLine(painter, content.left(), content.top() + 2, content.width(), "Cannot show the MIDlet",
                   PixelFont(12, true));
  painter.setFont(PixelFont(10, false));
  painter.drawText(QRect(content.left(), y + 6, content.width(), content.bottom() - y - 6),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   QString::fromStdString(info.problem) +
                       "\n\nThis program's MIDlet archive is damaged, so there is nothing to show.");
}

void DrawScreen(QPainter& painter, const MidletInfo& info, const QImage& icon) {
  painter.save();
  painter.translate(kScreenLeft, kScreenTop);
  painter.fillRect(0, 0, kScreenWidth, kScreenHeight, ColourOf(kScreenColour));
  // Nothing reaches the plain band along the screen's edges.
  painter.setClipRect(ScreenContentRect());
  if (info.problem.empty())
    DrawMidletDetails(painter, info, icon);
  else
    DrawProblem(painter, info);
  painter.restore();
}

void DrawKeypad(QPainter& painter) {
  int top = kScreenTop + kScreenHeight + kBezelWidth + 10;
  painter.setPen(Qt::NoPen);
  painter.setBrush(ColourOf(kKeyColour));
  painter.drawRoundedRect(QRect(22, top, 50, 16), 6, 6);
  painter.drawRoundedRect(QRect(kWindowWidth - 72, top, 50, 16), 6, 6);
  painter.drawEllipse(QRect(kWindowWidth / 2 - 14, top - 2, 28, 22));
  static const char* labels[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "*", "0", "#"};
  painter.setFont(PixelFont(10, true));
  for (int key = 0; key < 12; ++key) {
    QRect place(40 + (key % 3) * 58, top + 26 + (key / 3) * 22, 48, 18);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(place, 7, 7);
    painter.setPen(ColourOf(kKeyTextColour));
    painter.drawText(place, Qt::AlignCenter, labels[key]);
  }
}

void DrawBody(QPainter& painter) {
  painter.fillRect(0, 0, kWindowWidth, kWindowHeight, ColourOf(kWindowColour));
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  painter.setBrush(ColourOf(kBodyColour));
  painter.drawRoundedRect(QRectF(6, 6, kWindowWidth - 12, kWindowHeight - 12), 28, 28);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(ColourOf(kKeyColour));
  painter.drawRoundedRect(QRect(kWindowWidth / 2 - 25, 26, 50, 6), 3, 3);
  painter.setPen(ColourOf(kKeyTextColour));
  painter.setFont(PixelFont(16, true));
  painter.drawText(QRect(0, 60, kWindowWidth, 30), Qt::AlignCenter, "QUARNELL");
  painter.fillRect(kScreenLeft - kBezelWidth, kScreenTop - kBezelWidth, kScreenWidth + 2 * kBezelWidth,
                   kScreenHeight + 2 * kBezelWidth, ColourOf(kBezelColour));
}

}  // namespace

QString PhoneTitleOf(const MidletInfo& info) {
  if (!info.problem.empty()) return "Damaged MIDlet archive";
  return info.name.empty() ? QString("MIDlet") : QString::fromStdString(info.name);
}

void DrawPhone(QPainter& painter, const MidletInfo& info, const QImage& icon) {
  DrawBody(painter);
  DrawScreen(painter, info, icon);
  DrawKeypad(painter);
}

PhoneWindow::PhoneWindow(const MidletInfo& info) : info_(info) {
  icon_.loadFromData(reinterpret_cast<const uchar*>(info.iconBytes.data()),
                     static_cast<int>(info.iconBytes.size()));
  setWindowTitle(PhoneTitleOf(info));
  setFixedSize(kWindowWidth, kWindowHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PhoneWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawPhone(painter, info_, icon_);
}
