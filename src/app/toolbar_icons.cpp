#include "app/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include "platform/resource_ids.h"

namespace {

// Every picture is drawn on a 16 x 16 grid. One-pixel lines run through pixel
// centres (x.5), so they stay sharp at the grid size and at twice that size.
const QColor kInk(48, 48, 48);
const QColor kPaper(255, 255, 255);
const QColor kText(120, 130, 150);
const QColor kBlue(40, 90, 185);
const QColor kDarkBlue(25, 55, 125);
const QColor kFolder(245, 205, 90);
const QColor kFolderBack(225, 170, 60);
const QColor kFolderEdge(160, 110, 20);
const QColor kRed(205, 40, 40);
const QColor kGreen(40, 155, 60);
const QColor kDarkGreen(25, 100, 40);
const QColor kBlock(255, 226, 150);  // a function block on the diagram
const QColor kMetal(205, 205, 210);
const QColor kDevice(215, 218, 215);
const QColor kDisplay(70, 120, 85);
const QColor kNote(255, 244, 170);
const QColor kNoteEdge(170, 140, 40);
const QColor kPageDivision(0, 196, 98);  // the diagram's page divisions

QPen Pen(const QColor& colour, qreal width = 1.0) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Shape(QPainter& p, const QPolygonF& shape, const QColor& fill, const QColor& edge) {
  p.setPen(Pen(edge));
  p.setBrush(fill);
  p.drawPolygon(shape);
}

void Box(QPainter& p, const QRectF& r, const QColor& fill, const QColor& edge) {
  p.setPen(Pen(edge));
  p.setBrush(fill);
  p.drawRect(r);
}

void Line(QPainter& p, QPointF a, QPointF b, const QColor& colour, qreal width = 1.0) {
  p.setPen(Pen(colour, width));
  p.drawLine(a, b);
}

// A sheet of paper with a folded top-right corner.
void Sheet(QPainter& p, qreal left, qreal top, qreal right, qreal bottom) {
  const qreal fold = 3;
  Shape(p,
        QPolygonF({{left, top}, {right - fold, top}, {right, top + fold}, {right, bottom}, {left, bottom}}),
        kPaper, kInk);
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({{right - fold, top}, {right - fold, top + fold}, {right, top + fold}}));
}

// Lines of text on a sheet.
void TextLines(QPainter& p, qreal left, qreal right, std::initializer_list<qreal> rows) {
  for (qreal y : rows) Line(p, {left, y}, {right, y}, kText);
}

// A small controller: grey body, dark display and two lamps.
void Device(QPainter& p, const QRectF& body) {
  Box(p, body, kDevice, kInk);
  p.setPen(Qt::NoPen);
  p.setBrush(kDisplay);
  p.drawRect(QRectF(body.left() + 1.5, body.top() + 1.5, body.width() * 0.45, body.height() - 3));
  p.setBrush(kRed);
  p.drawRect(QRectF(body.right() - 5, body.top() + 1.5, 2, 2));
  p.setBrush(kGreen);
  p.drawRect(QRectF(body.right() - 2.5, body.top() + 1.5, 2, 2));
}

// A thick arrow along the vertical, pointing down (down) or up.
void VerticalArrow(QPainter& p, qreal x, qreal from, qreal to, const QColor& colour) {
  const bool down = to > from;
  const qreal head = down ? to - 4 : to + 4;
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawRect(QRectF(x - 1.5, down ? from : head, 3, down ? head - from : from - head));
  p.drawPolygon(QPolygonF({{x - 4.5, head}, {x + 4.5, head}, {x, to}}));
}

void Magnifier(QPainter& p, bool plus) {
  Line(p, {10.5, 10.5}, {14.5, 14.5}, kInk, 2.5);
  p.setPen(Pen(kInk, 1.5));
  p.setBrush(QColor(225, 238, 255));
  p.drawEllipse(QPointF(6.5, 6.5), 4.75, 4.75);
  Line(p, {4.5, 6.5}, {8.5, 6.5}, kInk, 1.5);
  if (plus) Line(p, {6.5, 4.5}, {6.5, 8.5}, kInk, 1.5);
}

// A curved arrow from the lower right that turns up and points left.
void CurvedArrow(QPainter& p) {
  QPainterPath path;
  path.moveTo(12, 14);
  path.cubicTo(15.5, 8, 12, 4, 5.5, 5.5);
  p.setPen(Pen(kBlue, 2.2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawPolygon(QPolygonF({{1, 5.5}, {6.5, 1.5}, {6.5, 9.5}}));
}

void Block(QPainter& p, const QRectF& r) {
  Box(p, r, kBlock, kInk);
}

// ---- The pictures ----------------------------------------------------------------

void PaintNew(QPainter& p) {
  Sheet(p, 3.5, 1.5, 12.5, 14.5);
}

void PaintOpen(QPainter& p) {
  Shape(p, QPolygonF({{1.5, 3.5}, {5.5, 3.5}, {6.5, 4.5}, {12.5, 4.5}, {12.5, 13.5}, {1.5, 13.5}}),
        kFolderBack, kFolderEdge);
  Shape(p, QPolygonF({{4, 7.5}, {15.5, 7.5}, {12.5, 13.5}, {1.5, 13.5}}), kFolder, kFolderEdge);
}

void PaintSave(QPainter& p) {
  Shape(p, QPolygonF({{1.5, 1.5}, {13, 1.5}, {14.5, 3}, {14.5, 14.5}, {1.5, 14.5}}), kBlue, kDarkBlue);
  // Shutter with its window, and the label.
  Box(p, QRectF(4.5, 1.5, 7, 5), kMetal, kDarkBlue);
  p.setPen(Qt::NoPen);
  p.setBrush(kDarkBlue);
  p.drawRect(QRectF(8.5, 2.5, 2, 3));
  Box(p, QRectF(3.5, 8.5, 9, 6), kPaper, kDarkBlue);
  TextLines(p, 5, 11, {10.5, 12.5});
}

void PaintCut(QPainter& p) {
  Line(p, {5.5, 10}, {11, 1.5}, kInk, 1.3);
  Line(p, {10.5, 10}, {5, 1.5}, kInk, 1.3);
  p.setPen(Pen(kRed, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(4.5, 12.5), 2.5, 2.5);
  p.drawEllipse(QPointF(11.5, 12.5), 2.5, 2.5);
}

void PaintCopy(QPainter& p) {
  Box(p, QRectF(1.5, 1.5, 8, 9), kPaper, kInk);
  TextLines(p, 3, 8, {4, 6, 8});
  Box(p, QRectF(6.5, 5.5, 8, 9), kPaper, kInk);
  TextLines(p, 8, 13, {8, 10, 12});
}

void PaintPaste(QPainter& p) {
  Box(p, QRectF(2.5, 2.5, 10, 12), QColor(200, 150, 80), QColor(120, 80, 30));
  Box(p, QRectF(5.5, 1.5, 4, 2.5), kMetal, kInk);
  Box(p, QRectF(7.5, 6.5, 7, 8), kPaper, kInk);
  TextLines(p, 9, 13, {9, 11, 13});
}

void PaintDelete(QPainter& p) {
  Line(p, {3.5, 3.5}, {12.5, 12.5}, kRed, 2.5);
  Line(p, {12.5, 3.5}, {3.5, 12.5}, kRed, 2.5);
}

void PaintUndo(QPainter& p) {
  CurvedArrow(p);
}

void PaintRedo(QPainter& p) {
  p.translate(16, 0);
  p.scale(-1, 1);
  CurvedArrow(p);
}

// Two blocks joined by a wire.
void PaintConnect(QPainter& p) {
  Block(p, QRectF(1.5, 1.5, 4, 6));
  Block(p, QRectF(10.5, 8.5, 4, 6));
  p.setPen(Pen(kBlue, 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({{5.5, 4.5}, {8, 4.5}, {8, 11.5}, {10.5, 11.5}}));
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawEllipse(QPointF(8, 4.5), 1.3, 1.3);
}

// A wire cut through above, a joined wire with its dot below.
void PaintCutJoin(QPainter& p) {
  Line(p, {1.5, 4.5}, {6, 4.5}, kInk, 1.2);
  Line(p, {10, 4.5}, {14.5, 4.5}, kInk, 1.2);
  Line(p, {6.5, 8}, {9.5, 1}, kRed, 1.5);
  Line(p, {1.5, 11.5}, {14.5, 11.5}, kInk, 1.2);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(QPointF(8, 11.5), 2, 2);
}

void PaintSelection(QPainter& p) {
  Shape(p, QPolygonF({{4.5, 1.5}, {4.5, 13.5}, {7.3, 10.8}, {9.3, 15}, {11, 14.2}, {9, 10}, {12.5, 10}}),
        kPaper, kInk);
}

void PaintInsertComment(QPainter& p) {
  Shape(p, QPolygonF({{1.5, 2.5}, {14.5, 2.5}, {14.5, 11.5}, {8, 11.5}, {4.5, 14.5}, {5, 11.5}, {1.5, 11.5}}),
        kNote, kNoteEdge);
  TextLines(p, 4, 12, {5, 7});
  Line(p, {4, 9}, {9, 9}, kText);
}

void PaintSimulation(QPainter& p) {
  Shape(p, QPolygonF({{4, 1.5}, {13.5, 8}, {4, 14.5}}), kGreen, kDarkGreen);
}

void PaintPcToDevice(QPainter& p) {
  VerticalArrow(p, 8, 0.5, 9, kBlue);
  Device(p, QRectF(1.5, 9.5, 13, 5));
}

void PaintDeviceToPc(QPainter& p) {
  VerticalArrow(p, 8, 9, 0.5, kGreen);
  Device(p, QRectF(1.5, 9.5, 13, 5));
}

void PaintIoStatus(QPainter& p) {
  Box(p, QRectF(1.5, 2.5, 13, 11), kDevice, kInk);
  p.setPen(Qt::NoPen);
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 4; ++col) {
      p.setBrush((row + col) % 2 ? kRed : kGreen);
      p.drawRect(QRectF(3 + col * 3, 5 + row * 4, 2, 2));
    }
  }
}

void PaintZoomIn(QPainter& p) {
  Magnifier(p, true);
}

void PaintZoomOut(QPainter& p) {
  Magnifier(p, false);
}

// The diagram area as two pages across and two down.
void PaintPageLayout(QPainter& p) {
  Box(p, QRectF(1.5, 1.5, 13, 13), kPaper, kInk);
  Line(p, {8, 2}, {8, 14}, kPageDivision);
  Line(p, {2, 8}, {14, 8}, kPageDivision);
}

// A ladder contact turns into a function block.
void PaintConvertToFbd(QPainter& p) {
  Line(p, {1.5, 1}, {1.5, 8}, kInk);
  Line(p, {1.5, 4.5}, {4, 4.5}, kInk);
  Line(p, {4, 2}, {4, 7}, kInk);
  Line(p, {6.5, 2}, {6.5, 7}, kInk);
  Line(p, {6.5, 4.5}, {9, 4.5}, kInk);
  p.setPen(Pen(kBlue, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({{4.5, 9}, {4.5, 12.5}, {6.5, 12.5}}));
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawPolygon(QPolygonF({{6.5, 10}, {9, 12.5}, {6.5, 15}}));
  Block(p, QRectF(9.5, 8.5, 5, 7));
}

// A property sheet: title bar, check boxes and values.
void PaintProperties(QPainter& p) {
  Box(p, QRectF(1.5, 1.5, 13, 13), kPaper, kInk);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawRect(QRectF(2, 2, 12, 2.5));
  Box(p, QRectF(3.5, 6.5, 2, 2), kPaper, kInk);
  Box(p, QRectF(3.5, 10.5, 2, 2), kPaper, kInk);
  TextLines(p, 7, 12.5, {7.5, 11.5});
}

// Three blocks lined up on one axis.
void PaintAlignVertically(QPainter& p) {
  Block(p, QRectF(5.5, 1.5, 5, 3));
  Block(p, QRectF(4.5, 6.5, 7, 3));
  Block(p, QRectF(6.5, 11.5, 3, 3));
  Line(p, {8, 0.5}, {8, 15.5}, kBlue);
}

void PaintAlignHorizontally(QPainter& p) {
  Block(p, QRectF(1.5, 5.5, 3, 5));
  Block(p, QRectF(6.5, 4.5, 3, 7));
  Block(p, QRectF(11.5, 6.5, 3, 3));
  Line(p, {0.5, 8}, {15.5, 8}, kBlue);
}

void PaintModelButton(QPainter& p) {
  Device(p, QRectF(1.5, 3.5, 13, 9));
}

using PaintFunction = void (*)(QPainter&);

struct Picture {
  UINT id;
  PaintFunction paint;
};

const Picture kPictures[] = {
    {ID_FILE_NEW, PaintNew},
    {ID_FILE_OPEN, PaintOpen},
    {ID_FILE_SAVE, PaintSave},
    {ID_EDIT_CUT, PaintCut},
    {ID_EDIT_COPY, PaintCopy},
    {ID_EDIT_PASTE, PaintPaste},
    {ID_EDIT_CLEAR, PaintDelete},
    {ID_EDIT_UNDO, PaintUndo},
    {ID_EDIT_REDO, PaintRedo},
    {ID_CONNECT, PaintConnect},
    {ID_CUT_JOIN_CONNECTION, PaintCutJoin},
    {ID_SELECTION, PaintSelection},
    {ID_INSERT_COMMENTS, PaintInsertComment},
    {ID_SIMULATION, PaintSimulation},
    {ID_PC_TO_DEVICE, PaintPcToDevice},
    {ID_DEVICE_TO_PC, PaintDeviceToPc},
    {ID_IO_STATUS, PaintIoStatus},
    {ID_ZOOM_IN, PaintZoomIn},
    {ID_ZOOM_OUT, PaintZoomOut},
    {ID_PAGE_LAYOUT, PaintPageLayout},
    {ID_CONVERT_TO_FBD, PaintConvertToFbd},
    {ID_PROPERTIES, PaintProperties},
    {ID_ALIGN_VERTICALLY, PaintAlignVertically},
    {ID_ALIGN_HORIZONTALLY, PaintAlignHorizontally},
};

QIcon MakeIcon(PaintFunction paint) {
  QIcon icon;
  for (int scale : {1, 2}) {
    QPixmap pixmap(16 * scale, 16 * scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    paint(painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

const Picture* FindPicture(UINT id) {
  for (const Picture& picture : kPictures) {
    if (picture.id == id) return &picture;
  }
  return nullptr;
}

}  // namespace

QIcon ToolbarIcon(UINT id) {
  const Picture* picture = FindPicture(id);
  return picture ? MakeIcon(picture->paint) : QIcon();
}

bool HasToolbarIcon(UINT id) {
  return FindPicture(id) != nullptr;
}

QIcon ModelButtonIcon() {
  return MakeIcon(PaintModelButton);
}
