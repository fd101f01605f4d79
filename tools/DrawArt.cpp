// Draws the program's own pictures into a folder: the splash logo (a portrait JPEG of
// 362 x 450 pixels), the program icon at 16, 32 and 48 pixels (PNG) and the Windows
// icon file holding the 16 and 32 pixel images. Everything is drawn here from shapes,
// with no fonts and no outside pictures, so the result is ours and reproducible.
//
//   cmake --build build --target reminder_draw_art && build/reminder_draw_art shell/art
#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cstdio>

namespace {

const QColor kNavy(0x1B, 0x2A, 0x4A);
const QColor kTeal(0x2E, 0x7D, 0x8C);
const QColor kGold(0xF2, 0xB1, 0x34);
const QColor kGoldDark(0xB9, 0x7F, 0x12);
const QColor kFace(0xFB, 0xFA, 0xF5);
const QColor kInk(0x22, 0x22, 0x2E);
const QColor kRed(0xD6, 0x45, 0x3D);

QPointF OnCircle(QPointF centre, double radius, double clockDegrees) {
  const double a = qDegreesToRadians(clockDegrees - 90.0);
  return centre + QPointF(radius * std::cos(a), radius * std::sin(a));
}

void Hand(QPainter& p, QPointF centre, double length, double width, double clockDegrees, const QColor& colour) {
  QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap);
  p.setPen(pen);
  p.drawLine(OnCircle(centre, -length * 0.15, clockDegrees), OnCircle(centre, length, clockDegrees));
}

// An alarm clock showing 9:05 with its two bells; `r` is the face's radius. `detail`
// leaves out the small marks that do not survive at icon sizes.
void DrawClock(QPainter& p, QPointF c, double r, bool detail) {
  p.setPen(Qt::NoPen);
  // Legs and bells behind the face.
  p.setBrush(kGoldDark);
  for (double side : {-1.0, 1.0}) {
    QPainterPath leg;
    const QPointF foot = OnCircle(c, r * 1.12, 180.0 + side * 38.0);
    leg.moveTo(OnCircle(c, r * 0.8, 180.0 + side * 30.0));
    leg.lineTo(foot + QPointF(side * r * 0.09, 0));
    leg.lineTo(foot - QPointF(side * r * 0.05, r * 0.02));
    leg.lineTo(OnCircle(c, r * 0.8, 180.0 + side * 45.0));
    leg.closeSubpath();
    p.drawPath(leg);
  }
  for (double side : {-1.0, 1.0}) {
    const QPointF bell = OnCircle(c, r * 0.98, side * 40.0);
    QRadialGradient shine(bell - QPointF(r * 0.1, r * 0.1), r * 0.45);
    shine.setColorAt(0, kGold.lighter(130));
    shine.setColorAt(1, kGold);
    p.setBrush(shine);
    p.drawEllipse(bell, r * 0.38, r * 0.38);
  }
  // The hammer between the bells.
  p.setBrush(kGoldDark);
  p.drawRoundedRect(QRectF(c.x() - r * 0.06, c.y() - r * 1.3, r * 0.12, r * 0.3), r * 0.04, r * 0.04);
  p.drawEllipse(QPointF(c.x(), c.y() - r * 1.3), r * 0.11, r * 0.11);

  // Rim and face.
  QRadialGradient rim(c - QPointF(r * 0.3, r * 0.3), r * 1.3);
  rim.setColorAt(0, kGold.lighter(120));
  rim.setColorAt(1, kGoldDark);
  p.setBrush(rim);
  p.drawEllipse(c, r, r);
  p.setBrush(kFace);
  p.drawEllipse(c, r * 0.82, r * 0.82);

  if (detail) {
    for (int hour = 0; hour < 12; ++hour) {
      const bool quarter = hour % 3 == 0;
      p.setPen(QPen(kInk, r * (quarter ? 0.06 : 0.03), Qt::SolidLine, Qt::RoundCap));
      p.drawLine(OnCircle(c, r * (quarter ? 0.6 : 0.66), hour * 30.0), OnCircle(c, r * 0.74, hour * 30.0));
    }
  }
  // 9:05: the hour hand just past nine, the minute hand on one.
  Hand(p, c, r * 0.45, r * (detail ? 0.09 : 0.24), 9 * 30.0 + 2.5, kInk);
  Hand(p, c, r * 0.68, r * (detail ? 0.06 : 0.2), 30.0, kInk);
  if (detail) Hand(p, c, r * 0.7, r * 0.02, 210.0, kRed);
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  p.drawEllipse(c, r * 0.07, r * 0.07);
}

// A calendar page with a red header, two rings and a grid of days, one of them marked.
void DrawCalendar(QPainter& p, const QRectF& page) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawRoundedRect(page.translated(4, 5), 10, 10);
  p.setBrush(kFace);
  p.drawRoundedRect(page, 10, 10);
  QPainterPath header;
  const QRectF top(page.left(), page.top(), page.width(), page.height() * 0.24);
  header.addRoundedRect(top, 10, 10);
  header.addRect(QRectF(top.left(), top.center().y(), top.width(), top.height() / 2));
  p.setBrush(kRed);
  p.drawPath(header.simplified());
  p.setBrush(kInk);
  for (double x : {page.left() + page.width() * 0.25, page.right() - page.width() * 0.25})
    p.drawRoundedRect(QRectF(x - 4, page.top() - 9, 8, 20), 4, 4);

  const int columns = 7, rows = 3;
  const double cellW = page.width() * 0.86 / columns;
  const double cellH = page.height() * 0.66 / rows;
  const QPointF origin(page.left() + page.width() * 0.07, page.top() + page.height() * 0.3);
  for (int row = 0; row < rows; ++row) {
    for (int col = 0; col < columns; ++col) {
      const QRectF cell(origin.x() + col * cellW, origin.y() + row * cellH, cellW, cellH);
      const bool marked = row == 1 && col == 4;
      p.setBrush(marked ? kGold : QColor(0xC9, 0xCE, 0xD8));
      const double d = marked ? cellW * 0.66 : cellW * 0.34;
      p.drawEllipse(cell.center(), d / 2, d / 2);
    }
  }
}

QImage Logo() {
  QImage image(362, 450, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 450);
  sky.setColorAt(0, kNavy);
  sky.setColorAt(1, kTeal);
  p.fillRect(image.rect(), sky);
  // A soft glow behind the clock.
  QRadialGradient glow(QPointF(181, 175), 170);
  glow.setColorAt(0, QColor(255, 255, 255, 70));
  glow.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillRect(image.rect(), glow);
  DrawClock(p, QPointF(181, 180), 105, true);
  DrawCalendar(p, QRectF(86, 320, 190, 104));
  return image;
}

QImage Icon(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  DrawClock(p, QPointF(s / 2, s * 0.56), s * 0.34, size >= 32);
  return image;
}

bool Save(const QImage& image, const QString& path, const char* format, int quality = -1) {
  if (image.save(path, format, quality)) return true;
  std::fprintf(stderr, "could not write %s\n", qPrintable(path));
  return false;
}

void Append16(QByteArray& out, quint16 v) {
  out.append(char(v & 0xFF));
  out.append(char(v >> 8));
}
void Append32(QByteArray& out, quint32 v) {
  Append16(out, quint16(v & 0xFFFF));
  Append16(out, quint16(v >> 16));
}

// One icon image as a Windows DIB: 32-bit colour, bottom-up, then the 1-bit mask.
QByteArray Dib(const QImage& icon) {
  const QImage image = icon.convertToFormat(QImage::Format_ARGB32);
  const int w = image.width(), h = image.height();
  const int maskStride = ((w + 31) / 32) * 4;
  QByteArray out;
  Append32(out, 40);
  Append32(out, quint32(w));
  Append32(out, quint32(h * 2));
  Append16(out, 1);
  Append16(out, 32);
  Append32(out, 0);
  Append32(out, quint32(w * h * 4 + maskStride * h));
  for (int i = 0; i < 4; ++i) Append32(out, 0);
  for (int y = h - 1; y >= 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) Append32(out, line[x]);  // ARGB32 is BGRA in memory order
  }
  for (int y = h - 1; y >= 0; --y) {
    QByteArray row(maskStride, '\0');
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x)
      if (qAlpha(line[x]) == 0) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
    out.append(row);
  }
  return out;
}

bool SaveIco(const QList<QImage>& images, const QString& path) {
  QByteArray out;
  Append16(out, 0);
  Append16(out, 1);
  Append16(out, quint16(images.size()));
  QList<QByteArray> dibs;
  for (const QImage& image : images) dibs.append(Dib(image));
  quint32 offset = 6 + 16 * quint32(images.size());
  for (int i = 0; i < images.size(); ++i) {
    out.append(char(images[i].width()));
    out.append(char(images[i].height()));
    out.append('\0');  // no palette
    out.append('\0');
    Append16(out, 1);
    Append16(out, 32);
    Append32(out, quint32(dibs[i].size()));
    Append32(out, offset);
    offset += quint32(dibs[i].size());
  }
  for (const QByteArray& dib : dibs) out.append(dib);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(out) == out.size()) return true;
  std::fprintf(stderr, "could not write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  bool ok = Save(Logo(), folder.filePath("logo.jpg"), "JPEG", 92);
  for (int size : {16, 32, 48})
    ok = Save(Icon(size), folder.filePath(QStringLiteral("reminder%1.png").arg(size)), "PNG") && ok;
  ok = SaveIco({Icon(16), Icon(32)}, folder.filePath("reminder.ico")) && ok;
  return ok ? 0 : 1;
}
