#pragma once
// The look shared by every generated image: the palette, fonts and the few shapes that the
// windows repeat (buttons, section headers, radio marks, glyphs).

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <functional>
#include <map>
#include <string>

namespace talvex::skin {

// Surfaces, darkest first.
inline const QColor kCase{22, 22, 24};       // keyboard case and keyboard picture
inline const QColor kTitleBar{24, 24, 26};   // title bars and bottom bars
inline const QColor kWindow{30, 30, 32};     // main window background
inline const QColor kListBack{28, 28, 30};   // list boxes
inline const QColor kPanel{38, 38, 40};      // the settings column of the main window
inline const QColor kDialogBody{35, 35, 35}; // dialog bodies (the key dialog repaints with it)
inline const QColor kTreeBack{30, 30, 30};   // the function tree, which paints it under its glyphs
inline const QColor kEdge{58, 58, 62};       // one-pixel borders
inline const QColor kHelpPanel{44, 44, 48};  // the help panel, which the window fills with it
inline const QColor kRow{59, 59, 59};        // boxes and list rows
inline const QColor kTrack{54, 54, 54};      // empty slider track
inline const QColor kRed{239, 14, 2};        // accents
inline const QColor kRedBright{255, 33, 0};  // lit parts, filled slider track
inline const QColor kText{255, 255, 255};
inline const QColor kMuted{150, 150, 156};

// A font by pixel size. Liberation Sans stands in for Arial; Chinese falls back to
// WenQuanYi Micro Hei.
QFont font(int pixelSize, int weight = QFont::Normal, bool italic = false);
// The same, shrunk until `text` is at most `maxWidth` pixels wide (not below 6 pixels).
QFont fittingFont(const QString& text, int pixelSize, int maxWidth, int weight = QFont::Normal);

// Writes text with its cell's top-left corner at (x, y), the way the windows write captions.
void textAt(QPainter& p, int x, int y, const QString& text, const QFont& f, const QColor& c);
// Writes text centred in a rectangle.
void textCentred(QPainter& p, const QRectF& r, const QString& text, const QFont& f,
                 const QColor& c);

// A vertical two-colour gradient fill of a rounded rectangle with a one-pixel border.
void roundedBox(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom,
                const QColor& border);
// A dark button (normal) or a red one (accent or hover), with a rounded outline.
void button(QPainter& p, const QRectF& r, bool red, bool hover = false);

// The heading of a panel section: a red-to-grey underline on its last two rows under the
// columns that start at `titles` x positions (each `titleWidth` wide), and a chevron at the
// right pointing down (open) or right (closed).
void sectionHeader(QPainter& p, int width, int height, std::initializer_list<int> titles,
                   int titleWidth, bool open);
// A chevron inside a square: pointing down when `down`, else right.
void chevron(QPainter& p, const QRectF& box, bool down, const QColor& c, qreal width = 1.6);
// A round mark that is red and lit when on, a grey ring when off.
void radioMark(QPainter& p, const QRectF& r, bool on);
// A soft glow: a radial gradient of `c` fading out.
void glow(QPainter& p, const QPointF& centre, qreal rx, qreal ry, const QColor& c, int alpha);

// The brand mark: a red slanted double chevron.
void emblem(QPainter& p, const QRectF& r, const QColor& c);

using Painter = std::function<void(QPainter&, int width, int height)>;
using PainterTable = std::map<std::string, Painter>;

void addMainWindowPainters(PainterTable& table);
void addPanelPainters(PainterTable& table);
void addKeyboardPainters(PainterTable& table);
void addDialogPainters(PainterTable& table);
void addBitmapPainters(PainterTable& table);

} // namespace talvex::skin
