#include "controls/qt/edit_helper.h"
#include "controls/qt/skin_images.h"
#include "controls/qt/transparent_list_box.h"
#include "qt_test_app.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <vector>

namespace talvex {
namespace {

using testing::qtTestApp;

const QColor kCyan(0, 255, 255);

void mouse(QWidget* target, QEvent::Type type, QPoint at) {
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void doubleClick(CTransparentListBox& list, QPoint at) {
    mouse(list.viewport(), QEvent::MouseButtonPress, at);
    mouse(list.viewport(), QEvent::MouseButtonRelease, at);
    mouse(list.viewport(), QEvent::MouseButtonDblClick, at);
    mouse(list.viewport(), QEvent::MouseButtonRelease, at);
}

// Sends a press and a release of `key`; returns whether the press was taken by the widget.
bool tapKey(QWidget* target, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
    return press.isAccepted();
}

QPoint lineCentre(const CTransparentListBox& list, int line) {
    return list.itemRect(line).center();
}

int countPixels(const QImage& image, QRect area, QColor colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += image.pixelColor(x, y) == colour;
        }
    }
    return n;
}

// The macro event list as the macro manager sets it up, inside a dialog.
struct EventListTest : ::testing::Test {
    EventListTest() {
        dialog.resize(300, 400);
        list = new CTransparentListBox(false, &dialog);
        list->setGeometry(150, 80, 113, 275);
        list->setItemStyle(16, "Arial", Qt::white, kCyan, true, 2, Qt::black);
        list->setMode(ListMode::Delay);
        list->addLine("A dn");
        list->addLine("200 ms");
        list->addLine("A up");
        QObject::connect(list, &CTransparentListBox::editAboutToBegin,
                         [this] { log.push_back("begin"); });
        QObject::connect(list, &CTransparentListBox::delayCommitted, [this](int line, int ms) {
            log.push_back(QString("delay %1 %2 over '%3'").arg(line).arg(ms).arg(list->text(line)));
        });
        QObject::connect(list, &CTransparentListBox::lineTextChanged,
                         [this](int line, const QString& old) {
                             log.push_back(QString("changed %1 '%2'").arg(line).arg(old));
                         });
        dialog.show();
        dialog.activateWindow();
        QApplication::processEvents();
    }
    QApplication& app = qtTestApp();
    std::vector<QString> log; // outlives the dialog, whose closing ends a running edit
    QDialog dialog;
    CTransparentListBox* list = nullptr;
};

TEST_F(EventListTest, DelayEditIsClampedReportedFirstAndReplacesTheLine) {
    doubleClick(*list, lineCentre(*list, 1));
    ASSERT_NE(list->editor(), nullptr);
    EXPECT_EQ(list->editor()->text(), "200");
    EXPECT_EQ(list->editor()->geometry(), list->itemRect(1).adjusted(0, -2, 0, 2));
    list->editor()->setText("70000");
    EXPECT_TRUE(tapKey(list->editor(), Qt::Key_Return));
    EXPECT_EQ(list->editor(), nullptr);
    EXPECT_EQ(list->text(1), "60000 ms");
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(log,
              (std::vector<QString>{"begin", "delay 1 60000 over '200 ms'", "changed 1 '200 ms'"}));
    EXPECT_TRUE(dialog.isVisible()); // Enter did not reach the dialog's default button
}

TEST_F(EventListTest, EditorAcceptsDigitsOnly) {
    doubleClick(*list, lineCentre(*list, 1));
    ASSERT_NE(list->editor(), nullptr);
    list->editor()->clear();
    for (Qt::Key key : {Qt::Key_A, Qt::Key_5, Qt::Key_Minus, Qt::Key_0}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(key)).toLower());
        QApplication::sendEvent(list->editor(), &press);
    }
    EXPECT_EQ(list->editor()->text(), "50");
}

TEST_F(EventListTest, PressAndReleaseLinesOpenNoEditor) {
    doubleClick(*list, lineCentre(*list, 0));
    doubleClick(*list, lineCentre(*list, 2));
    EXPECT_EQ(list->editor(), nullptr);
    EXPECT_TRUE(log.empty());
}

TEST_F(EventListTest, EscCancelsWithoutClosingTheDialog) {
    doubleClick(*list, lineCentre(*list, 1));
    ASSERT_NE(list->editor(), nullptr);
    list->editor()->setText("5000");
    EXPECT_TRUE(tapKey(list->editor(), Qt::Key_Escape));
    EXPECT_EQ(list->editor(), nullptr);
    EXPECT_EQ(list->text(1), "200 ms");
    EXPECT_EQ(log, std::vector<QString>{"begin"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

TEST_F(EventListTest, LosingTheFocusCommits) {
    auto* other = new QLineEdit(&dialog);
    other->setGeometry(10, 10, 50, 20);
    other->show();
    doubleClick(*list, lineCentre(*list, 1));
    ASSERT_NE(list->editor(), nullptr);
    ASSERT_TRUE(list->editor()->hasFocus());
    list->editor()->setText("350");
    other->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(list->editor(), nullptr);
    EXPECT_EQ(list->text(1), "350 ms");
    EXPECT_TRUE(other->hasFocus());
}

TEST_F(EventListTest, ScrollingCommitsTheRunningEdit) {
    for (int i = 0; i < 40; ++i) {
        list->addLine("B dn");
    }
    doubleClick(*list, lineCentre(*list, 1));
    ASSERT_NE(list->editor(), nullptr);
    list->editor()->setText("900");
    QPointF at = lineCentre(*list, 5);
    QWheelEvent wheel(at, list->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &wheel);
    EXPECT_EQ(list->editor(), nullptr);
    EXPECT_EQ(list->text(1), "900 ms");
    EXPECT_EQ(list->topIndex(), 3);
}

TEST_F(EventListTest, ClickSelectsAndTellsTheParentButProgramSelectionDoesNot) {
    std::vector<int> selections;
    QObject::connect(list, &CTransparentListBox::selectionChanged,
                     [&](int index) { selections.push_back(index); });
    list->setCurrentIndex(0);
    mouse(list->viewport(), QEvent::MouseButtonPress, lineCentre(*list, 2));
    tapKey(list, Qt::Key_Up);
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(selections, (std::vector<int>{2, 1}));
}

TEST_F(EventListTest, DrawsBackgroundIconsAndSelectedLine) {
    list->setCurrentIndex(1);
    QImage shot = list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage background = programSkinImages().image(SkinFolder::Bitmaps, "145.png");
    QImage press = programSkinImages().image(SkinFolder::Bitmaps, "131.png");
    QImage clock = programSkinImages().image(SkinFolder::Bitmaps, "137.png");
    ASSERT_FALSE(background.isNull());
    ASSERT_FALSE(press.isNull());
    ASSERT_FALSE(clock.isNull());

    // Below the last line the list shows bitmap 145 from its point 7,22.
    QPoint empty(60, 250);
    EXPECT_EQ(shot.pixelColor(empty), background.pixelColor(empty + QPoint(7, 22)));
    // Icons sit 20 pixels left of the right edge, at the line's top.
    QRect line0 = list->itemRect(0);
    QRect line1 = list->itemRect(1);
    for (QPoint p : {QPoint(2, 3), QPoint(5, 7), QPoint(8, 12)}) {
        EXPECT_EQ(shot.pixelColor(QPoint(113 - 20, line0.top()) + p), press.pixelColor(p));
    }
    for (QPoint p : {QPoint(1, 1), QPoint(7, 7), QPoint(12, 4)}) {
        EXPECT_EQ(shot.pixelColor(QPoint(113 - 20, line1.top()) + p), clock.pixelColor(p));
    }
    // Only the selected line is drawn in the selected colour.
    QRect text0(0, line0.top(), 80, line0.height());
    QRect text1(0, line1.top(), 80, line1.height());
    EXPECT_GT(countPixels(shot, text1, kCyan), 10);
    EXPECT_EQ(countPixels(shot, text0, kCyan), 0);
    EXPECT_GT(countPixels(shot, text0, Qt::white), 10);
}

// A parent whose picture changes from left to right, so a snapshot tells where it was taken.
class StripedParent : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int x = 0; x < width(); ++x) {
            p.fillRect(x, 0, 1, height(), QColor(x % 256, 40, 90));
        }
    }
};

TEST(ParentBackedListTest, ShowsTheParentsPixelsAndRetakesThemAfterMoveAndResize) {
    qtTestApp();
    StripedParent parent;
    parent.resize(300, 200);
    auto* list = new CTransparentListBox(true, &parent);
    list->setMode(ListMode::ParentBacked);
    list->setGeometry(10, 20, 60, 100);
    parent.show();
    QApplication::processEvents();
    auto pixelAt = [&](QPoint p) { return list->viewport()->grab().toImage().pixelColor(p); };
    EXPECT_EQ(pixelAt(QPoint(5, 50)), QColor(15, 40, 90));

    list->move(100, 20);
    EXPECT_EQ(pixelAt(QPoint(5, 50)), QColor(105, 40, 90));

    list->resize(80, 100);
    EXPECT_EQ(pixelAt(QPoint(75, 50)), QColor(175, 40, 90));
}

TEST(ParentBackedListTest, RenameReportsOldAndNewIndex) {
    qtTestApp();
    QWidget parent;
    parent.resize(260, 540);
    auto* list = new CTransparentListBox(true, &parent);
    list->setGeometry(1, 34, 260, 500);
    list->setMode(ListMode::ParentBacked);
    list->addLine("Default");
    list->addLine("Game");
    list->setEditorMaxLength(5);
    parent.show();
    QApplication::processEvents();
    std::vector<std::pair<int, int>> edits;
    QObject::connect(list, &CTransparentListBox::itemEdited,
                     [&](int from, int to) { edits.emplace_back(from, to); });
    mouse(list->viewport(), QEvent::MouseButtonPress, lineCentre(*list, 1));
    doubleClick(*list, lineCentre(*list, 1));
    ASSERT_NE(list->editor(), nullptr);
    list->editor()->setText("Alphabet"); // longer than a name may be
    tapKey(list->editor(), Qt::Key_Enter);
    EXPECT_EQ(list->text(0), "Alpha");
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_EQ(edits, (std::vector<std::pair<int, int>>{{1, 0}}));
}

TEST(SortedListTest, RenamedLineThatSortsOutOfViewIsScrolledIntoView) {
    qtTestApp();
    QWidget parent;
    auto* list = new CTransparentListBox(true, &parent);
    list->setGeometry(20, 80, 113, 275);
    list->setItemStyle(16, "Arial", Qt::white, kCyan, true, 2, Qt::black);
    for (int i = 1; i <= 40; ++i) {
        list->addLine(QString("Macro_%1").arg(i, 3, 10, QChar('0')));
    }
    parent.show();
    QApplication::processEvents();
    std::vector<std::pair<int, QString>> changes;
    QObject::connect(list, &CTransparentListBox::lineTextChanged,
                     [&](int line, const QString& old) { changes.emplace_back(line, old); });
    mouse(list->viewport(), QEvent::MouseButtonPress, lineCentre(*list, 0));
    doubleClick(*list, lineCentre(*list, 0));
    ASSERT_NE(list->editor(), nullptr);
    list->editor()->setText("Zeta");
    tapKey(list->editor(), Qt::Key_Return);
    EXPECT_EQ(list->currentIndex(), 39);
    EXPECT_EQ(changes, (std::vector<std::pair<int, QString>>{{39, "Macro_001"}}));
    EXPECT_TRUE(list->viewport()->rect().contains(list->itemRect(39)));
}

} // namespace
} // namespace talvex
