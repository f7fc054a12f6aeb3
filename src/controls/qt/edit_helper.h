#pragma once
// The in-place editor of the transparent list box. It reports the end of an edit to the list:
// Enter commits, Esc cancels, and losing the keyboard focus commits.

#include <QLineEdit>

namespace talvex {

class CEditHelper : public QLineEdit {
    Q_OBJECT
public:
    explicit CEditHelper(QWidget* parent = nullptr);

signals:
    void finished(bool commit);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace talvex
