#include "controls/qt/skin_theme.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPalette>
#include <QScrollBar>
#include <QStyle>

namespace talvex {

namespace {

const QColor kBody(35, 35, 35);
const QColor kBase(30, 30, 30);
const QColor kButton(59, 59, 59);
const QColor kRed(239, 14, 2);
const QColor kMuted(128, 128, 134);

} // namespace

void useSkinScrollBars(QAbstractScrollArea& area) {
    // The extent stays the style's own, so the viewports keep the size they always had.
    const int extent = area.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &area);
    const QString style =
        QStringLiteral(
            "QScrollBar { background: rgb(30, 30, 30); border: none; margin: 0; }"
            "QScrollBar:vertical { width: %1px; } QScrollBar:horizontal { height: %1px; }"
            "QScrollBar::handle { background: rgb(78, 78, 82); border-radius: 3px; margin: 3px; }"
            "QScrollBar::handle:vertical { min-height: 24px; }"
            "QScrollBar::handle:horizontal { min-width: 24px; }"
            "QScrollBar::handle:hover, QScrollBar::handle:pressed { background: rgb(239, 14, 2); }"
            "QScrollBar::add-line, QScrollBar::sub-line { border: none; background: none; "
            "width: 0; height: 0; }"
            "QScrollBar::add-page, QScrollBar::sub-page { background: none; }")
            .arg(extent);
    area.verticalScrollBar()->setStyleSheet(style);
    area.horizontalScrollBar()->setStyleSheet(style);
}

void applySkinPalette(QApplication& app) {
    QPalette palette;
    palette.setColor(QPalette::Window, kBody);
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::Base, kBase);
    palette.setColor(QPalette::AlternateBase, kBody);
    palette.setColor(QPalette::Text, Qt::white);
    palette.setColor(QPalette::Button, kButton);
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, kButton);
    palette.setColor(QPalette::ToolTipText, Qt::white);
    palette.setColor(QPalette::PlaceholderText, kMuted);
    palette.setColor(QPalette::Highlight, kRed);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(255, 90, 60));
    palette.setColor(QPalette::Light, QColor(78, 78, 82));
    palette.setColor(QPalette::Midlight, QColor(66, 66, 70));
    palette.setColor(QPalette::Mid, QColor(48, 48, 50));
    palette.setColor(QPalette::Dark, QColor(24, 24, 26));
    palette.setColor(QPalette::Shadow, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, kMuted);
    app.setPalette(palette);
}

} // namespace talvex
