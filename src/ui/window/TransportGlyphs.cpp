#include "ui/window/TransportGlyphs.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

namespace {

// A triangle pointing right, its left side at x from top to bottom.
void addRightTriangle(QPainterPath& path, qreal left, qreal right, qreal top, qreal bottom)
{
    path.moveTo(left, top);
    path.lineTo(right, (top + bottom) / 2);
    path.lineTo(left, bottom);
    path.closeSubpath();
}

// The glyph in a unit square; the backward ones are the forward ones mirrored.
QPainterPath unitShape(TransportGlyph glyph)
{
    QPainterPath path;
    switch (glyph) {
    case TransportGlyph::Play: addRightTriangle(path, 0.28, 0.84, 0.16, 0.84); break;
    case TransportGlyph::Pause:
        path.addRect(0.22, 0.18, 0.2, 0.64);
        path.addRect(0.58, 0.18, 0.2, 0.64);
        break;
    case TransportGlyph::Stop: path.addRect(0.2, 0.2, 0.6, 0.6); break;
    case TransportGlyph::PreviousEntry:
    case TransportGlyph::NextEntry:
        addRightTriangle(path, 0.16, 0.7, 0.2, 0.8);
        path.addRect(0.72, 0.2, 0.12, 0.6);
        break;
    case TransportGlyph::SeekBackward:
    case TransportGlyph::SeekForward:
        addRightTriangle(path, 0.1, 0.5, 0.22, 0.78);
        addRightTriangle(path, 0.5, 0.9, 0.22, 0.78);
        break;
    }
    if (glyph == TransportGlyph::PreviousEntry || glyph == TransportGlyph::SeekBackward)
        path = QTransform(-1, 0, 0, 1, 1, 0).map(path);
    return path;
}

QColor glyphColour(QIcon::Mode mode)
{
    const QPalette palette = QGuiApplication::palette();
    switch (mode) {
    case QIcon::Disabled: return palette.color(QPalette::Disabled, QPalette::ButtonText);
    case QIcon::Selected: return palette.color(QPalette::Active, QPalette::HighlightedText);
    case QIcon::Normal:
    case QIcon::Active: break;
    }
    return palette.color(QPalette::Active, QPalette::ButtonText);
}

class GlyphEngine : public QIconEngine
{
public:
    explicit GlyphEngine(TransportGlyph glyph) : glyph_(glyph) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal side = qMin(rect.width(), rect.height());
        QTransform toRect;
        toRect.translate(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2);
        toRect.scale(side, side);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->fillPath(toRect.map(unitShape(glyph_)), glyphColour(mode));
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new GlyphEngine(glyph_); }
    QString key() const override { return QStringLiteral("VexolinTransportGlyph"); }

private:
    TransportGlyph glyph_;
};

} // namespace

QIcon transportIcon(TransportGlyph glyph)
{
    return QIcon(new GlyphEngine(glyph));
}
