#pragma once
// A skinned list box: lines drawn over a background picture (a part of bitmap 145, or the
// parent's own pixels in parent-backed mode), with an optional drop shadow, press/release/delay
// icons in delay mode, and in-place editing on double-click. The rules live in ListBoxModel;
// this widget draws, scrolls, selects and runs the editor.
//
// The parent's notifications are signals carrying the values of the original window messages.
// selectionChanged is sent only for selections the user makes, never for setCurrentIndex.

#include "controls/list_box_model.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <cstdint>
#include <memory>
#include <optional>

namespace talvex {

class CEditHelper;

class CTransparentListBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CTransparentListBox(bool sorted, QWidget* parent = nullptr);
    ~CTransparentListBox() override;

    ListMode mode() const { return model_.mode(); }
    void setMode(ListMode mode);

    // Font "face" at cell height fontHeight, bold; colours of lines, of the selected line and
    // of the shadow drawn shadowOffset pixels right and down.
    void setItemStyle(int fontHeight, const QString& face, QColor textColour,
                      QColor selectedTextColour, bool shadowOn, int shadowOffset,
                      QColor shadowColour);
    int addLine(const QString& text, std::intptr_t data = 0);
    int insertLine(int index, const QString& text, std::intptr_t data = 0);
    void deleteLine(int index);
    // The most characters (UTF-16 units) the in-place editor takes, for names that must fit a
    // fixed-size record field.
    void setEditorMaxLength(int length) { editorMaxLength_ = length; }
    void resetContent();

    int count() const { return model_.count(); }
    QString text(int index) const;
    std::intptr_t itemData(int index) const { return model_.data(index); }
    void setItemData(int index, std::intptr_t data) { model_.setData(index, data); }
    int currentIndex() const { return model_.selection(); }
    // Selects the line (an invalid index clears the selection) and scrolls it into view.
    void setCurrentIndex(int index);
    int topIndex() const;
    void setTopIndex(int index);
    int itemHeight() const;
    // The line's rectangle in viewport coordinates (it may lie outside the visible part).
    QRect itemRect(int index) const;
    CEditHelper* editor() const;

public slots:
    // The editor's report; also how a parent ends a running edit itself.
    void endEdit(bool commit);

signals:
    void editAboutToBegin();
    void delayCommitted(int line, int delayMs);
    void itemEdited(int oldIndex, int newIndex);
    void lineTextChanged(int newIndex, const QString& oldText);
    void selectionChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QFont lineFont() const;
    void beginEdit();
    void dropEditor();
    void linesChanged();
    void selectByUser(int index);
    void scrollToLine(int index);
    void captureBackground();
    void drawLine(QPainter& painter, int index, const QRect& rect, bool selected) const;

    ListBoxModel model_;
    std::unique_ptr<ListBoxEvents> relay_;
    QPointer<CEditHelper> editor_;
    std::optional<QFont> font_;
    QColor textColour_;
    QColor selectedTextColour_;
    QColor shadowColour_{0, 0, 0};
    int shadowOffset_ = 3;
    bool shadowOn_ = false;
    QImage background_;
    bool backgroundCaptured_ = false;
    int editorMaxLength_ = 32767;
};

} // namespace talvex
