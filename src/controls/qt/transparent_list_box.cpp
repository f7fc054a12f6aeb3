#include "controls/qt/transparent_list_box.h"

#include "controls/qt/edit_helper.h"
#include "controls/qt/qt_canvas.h"
#include "controls/qt/skin_images.h"
#include "controls/qt/skin_theme.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <algorithm>

namespace talvex {
namespace {

// The list background is bitmap 145 from this point on.
constexpr QPoint kBackgroundOrigin{7, 22};
// Icons sit this far left of the line's right edge.
constexpr int kIconInset = 20;
constexpr int kEditorGrowth = 2;

// Passes the model's notifications on as the widget's signals.
class SignalRelay : public ListBoxEvents {
public:
    explicit SignalRelay(CTransparentListBox& list) : list_(list) {}
    void editAboutToBegin() override { emit list_.editAboutToBegin(); }
    void delayCommitted(int line, int delayMs) override {
        emit list_.delayCommitted(line, delayMs);
    }
    void lineTextChanged(int newIndex, const std::string& oldText) override {
        emit list_.lineTextChanged(newIndex, QString::fromStdString(oldText));
    }
    void itemEdited(int oldIndex, int newIndex) override {
        emit list_.itemEdited(oldIndex, newIndex);
    }

private:
    CTransparentListBox& list_;
};

QImage bitmap(std::string_view file) {
    return programSkinImages().image(SkinFolder::Bitmaps, file);
}

const char* iconBitmap(LineIcon icon) {
    switch (icon) {
    case LineIcon::Press:
        return "131.png";
    case LineIcon::Release:
        return "138.png";
    case LineIcon::Delay:
        return "137.png";
    case LineIcon::None:
        break;
    }
    return nullptr;
}

} // namespace

CTransparentListBox::CTransparentListBox(bool sorted, QWidget* parent)
    : QAbstractScrollArea(parent), model_(sorted), relay_(std::make_unique<SignalRelay>(*this)),
      textColour_(palette().color(QPalette::WindowText)),
      selectedTextColour_(palette().color(QPalette::HighlightedText)) {
    model_.setEvents(relay_.get());
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    // The picture covers every pixel; erasing first would only flicker.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    useSkinScrollBars(*this);
    verticalScrollBar()->setSingleStep(1);
    // Using the scroll bar takes the focus, which also ends a running edit.
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] {
        setFocus(Qt::MouseFocusReason);
        endEdit(true);
    });
    background_ = QImage(viewport()->size(), QImage::Format_RGB32);
}

CTransparentListBox::~CTransparentListBox() {
    // The editor's focus-out on destruction must not reach a half-destroyed list.
    if (editor_) {
        editor_->disconnect(this);
    }
}

void CTransparentListBox::setMode(ListMode mode) {
    model_.setMode(mode);
    backgroundCaptured_ = false;
    viewport()->update();
}

void CTransparentListBox::setItemStyle(int fontHeight, const QString& face, QColor textColour,
                                       QColor selectedTextColour, bool shadowOn, int shadowOffset,
                                       QColor shadowColour) {
    CaptionStyle style;
    style.height = fontHeight;
    style.weight = QFont::Bold;
    style.face = face.toStdString();
    font_ = QtCanvas::captionFont(style);
    textColour_ = textColour;
    selectedTextColour_ = selectedTextColour;
    shadowOn_ = shadowOn;
    shadowOffset_ = shadowOffset;
    shadowColour_ = shadowColour;
    linesChanged();
}

int CTransparentListBox::addLine(const QString& text, std::intptr_t data) {
    int index = model_.addLine(text.toStdString(), data);
    linesChanged();
    return index;
}

int CTransparentListBox::insertLine(int index, const QString& text, std::intptr_t data) {
    int at = model_.insertLine(index, text.toStdString(), data);
    linesChanged();
    return at;
}

void CTransparentListBox::deleteLine(int index) {
    model_.deleteLine(index);
    if (!model_.editing()) {
        dropEditor();
    }
    linesChanged();
}

void CTransparentListBox::resetContent() {
    model_.clear();
    dropEditor();
    linesChanged();
}

CEditHelper* CTransparentListBox::editor() const {
    return editor_;
}

QString CTransparentListBox::text(int index) const {
    return QString::fromStdString(model_.text(index));
}

void CTransparentListBox::setCurrentIndex(int index) {
    model_.select(index);
    scrollToLine(model_.selection());
    viewport()->update();
}

void CTransparentListBox::scrollToLine(int index) {
    if (!model_.valid(index)) {
        return;
    }
    int top = topIndex();
    int page = verticalScrollBar()->pageStep();
    if (index < top) {
        setTopIndex(index);
    } else if (index >= top + page) {
        setTopIndex(index - page + 1);
    }
}

int CTransparentListBox::topIndex() const {
    return verticalScrollBar()->value();
}

void CTransparentListBox::setTopIndex(int index) {
    verticalScrollBar()->setValue(index);
}

QFont CTransparentListBox::lineFont() const {
    return font_.value_or(font());
}

int CTransparentListBox::itemHeight() const {
    return std::max(1, QFontMetrics(lineFont()).height());
}

QRect CTransparentListBox::itemRect(int index) const {
    int h = itemHeight();
    return QRect(0, (index - topIndex()) * h, viewport()->width(), h);
}

void CTransparentListBox::linesChanged() {
    int page = std::max(1, viewport()->height() / itemHeight());
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setRange(0, std::max(0, count() - page));
    viewport()->update();
}

void CTransparentListBox::selectByUser(int index) {
    if (!model_.valid(index) || index == model_.selection()) {
        return;
    }
    model_.select(index);
    scrollToLine(index);
    viewport()->repaint();
    emit selectionChanged(index);
}

void CTransparentListBox::beginEdit() {
    endEdit(true);
    std::optional<std::string> startText = model_.beginEdit();
    if (!startText) {
        return;
    }
    auto* editor = new CEditHelper(viewport());
    editor->setFont(lineFont());
    editor->setFrame(true);
    editor->setMaxLength(editorMaxLength_);
    if (model_.mode() == ListMode::Delay) {
        editor->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), editor));
    }
    editor->setGeometry(
        itemRect(model_.editingIndex()).adjusted(0, -kEditorGrowth, 0, kEditorGrowth));
    editor->setText(QString::fromStdString(*startText));
    editor->selectAll();
    connect(editor, &CEditHelper::finished, this, &CTransparentListBox::endEdit);
    editor_ = editor;
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
}

void CTransparentListBox::dropEditor() {
    if (!editor_) {
        return;
    }
    CEditHelper* editor = editor_;
    editor_ = nullptr;
    // Detached first: hiding it moves the focus, which must not end the edit a second time.
    editor->disconnect(this);
    if (editor->hasFocus()) {
        setFocus(Qt::OtherFocusReason);
    }
    editor->hide();
    editor->deleteLater();
}

void CTransparentListBox::endEdit(bool commit) {
    if (!editor_) {
        return;
    }
    std::string typed = editor_->text().toStdString();
    dropEditor();
    model_.endEdit(commit, typed);
    linesChanged();
    scrollToLine(model_.selection()); // a renamed line may have sorted out of view
}

void CTransparentListBox::captureBackground() {
    background_.fill(Qt::black);
    QPainter painter(&background_);
    if (model_.mode() == ListMode::ParentBacked) {
        if (QWidget* parent = parentWidget()) {
            QRect under(viewport()->mapTo(parent, QPoint(0, 0)), viewport()->size());
            // Without its children, so the list itself is not drawn into its own background.
            parent->render(&painter, QPoint(0, 0), QRegion(under), QWidget::DrawWindowBackground);
        }
    } else {
        QImage picture = bitmap("145.png");
        if (!picture.isNull()) {
            painter.drawImage(QPoint(0, 0), picture, QRect(kBackgroundOrigin, background_.size()));
        }
    }
    backgroundCaptured_ = true;
}

void CTransparentListBox::drawLine(QPainter& painter, int index, const QRect& rect,
                                   bool selected) const {
    if (!model_.valid(index)) {
        return;
    }
    LineLook look = model_.look(index);
    QString text = QString::fromStdString(look.text);
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;
    bool enabled = isEnabled();
    if (shadowOn_) {
        painter.setPen(enabled ? shadowColour_ : QColor(Qt::white));
        painter.drawText(rect.translated(shadowOffset_, shadowOffset_), flags, text);
    }
    painter.setPen(!enabled ? QColor(Qt::black) : selected ? selectedTextColour_ : textColour_);
    painter.drawText(rect, flags, text);
    if (const char* file = iconBitmap(look.icon)) {
        QImage icon = bitmap(file);
        if (!icon.isNull()) {
            painter.drawImage(QPoint(rect.right() + 1 - kIconInset, rect.top()), icon);
        }
    }
}

void CTransparentListBox::paintEvent(QPaintEvent*) {
    if (!backgroundCaptured_) {
        captureBackground();
    }
    QImage frame = background_.copy();
    {
        QPainter painter(&frame);
        painter.setFont(lineFont());
        int h = itemHeight();
        int y = 0;
        for (int i = topIndex(); i < count() && y < frame.height(); ++i, y += h) {
            drawLine(painter, i, QRect(0, y, frame.width(), h), i == model_.selection());
        }
    }
    QPainter(viewport()).drawImage(0, 0, frame);
}

void CTransparentListBox::resizeEvent(QResizeEvent*) {
    endEdit(true);
    background_ = QImage(viewport()->size(), QImage::Format_RGB32);
    backgroundCaptured_ = false;
    linesChanged();
}

void CTransparentListBox::moveEvent(QMoveEvent*) {
    backgroundCaptured_ = false;
    viewport()->update();
}

void CTransparentListBox::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        viewport()->update();
    } else if (event->type() == QEvent::FontChange) {
        linesChanged(); // lines are as tall as the font until setItemStyle gives one
    }
}

void CTransparentListBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore(); // the parent's context menus
        return;
    }
    int y = event->position().toPoint().y();
    if (y >= 0) {
        selectByUser(topIndex() + y / itemHeight());
    }
}

void CTransparentListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && model_.canEditSelection() &&
        itemRect(model_.selection()).contains(event->position().toPoint())) {
        beginEdit();
    }
}

void CTransparentListBox::keyPressEvent(QKeyEvent* event) {
    int current = model_.selection();
    int page = verticalScrollBar()->pageStep();
    int target = current;
    switch (event->key()) {
    case Qt::Key_Up:
        target = current < 0 ? 0 : current - 1;
        break;
    case Qt::Key_Down:
        target = current + 1;
        break;
    case Qt::Key_PageUp:
        target = std::max(0, current - page);
        break;
    case Qt::Key_PageDown:
        target = std::min(count() - 1, current + page);
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = count() - 1;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    selectByUser(target);
}

void CTransparentListBox::wheelEvent(QWheelEvent* event) {
    endEdit(true);
    QAbstractScrollArea::wheelEvent(event);
}

void CTransparentListBox::scrollContentsBy(int, int) {
    viewport()->update();
}

} // namespace talvex
