#include "controls/list_box_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talvex {
namespace {

// Records the parent's notifications in the order they arrive, with the line texts the list
// held at that moment.
struct Recorder : ListBoxEvents {
    explicit Recorder(const ListBoxModel& m) : model(m) {}
    void editAboutToBegin() override { log.push_back("begin"); }
    void delayCommitted(int line, int delay) override {
        log.push_back("delay " + std::to_string(line) + " " + std::to_string(delay) +
                      " while line is '" + model.text(line) + "'");
    }
    void lineTextChanged(int newIndex, const std::string& oldText) override {
        log.push_back("changed " + std::to_string(newIndex) + " from '" + oldText + "'");
    }
    void itemEdited(int oldIndex, int newIndex) override {
        log.push_back("edited " + std::to_string(oldIndex) + " -> " + std::to_string(newIndex));
    }
    const ListBoxModel& model;
    std::vector<std::string> log;
};

struct EventList : ::testing::Test {
    EventList() {
        model.setMode(ListMode::Delay);
        model.setEvents(&recorder);
        model.addLine("A dn", 0);
        model.addLine("200 ms", 0);
        model.addLine("A up", 0);
    }
    ListBoxModel model{false};
    Recorder recorder{model};
};

TEST(DelayParsing, ClampsLeadingDigitsToTheAllowedRange) {
    EXPECT_EQ(parseDelay("200"), 200);
    EXPECT_EQ(parseDelay(""), 2);
    EXPECT_EQ(parseDelay("0"), 2);
    EXPECT_EQ(parseDelay("1"), 2);
    EXPECT_EQ(parseDelay("70000"), 60000);
    EXPECT_EQ(parseDelay("60000"), 60000);
    EXPECT_EQ(parseDelay("12ab3"), 12);
    EXPECT_EQ(parseDelay("x5"), 2);
    EXPECT_EQ(parseDelay("99999999999999999999999999"), 60000);
}

TEST_F(EventList, DelayEditAboveTheLimitBecomes60000AndIsReportedBeforeTheLineChanges) {
    model.select(1);
    auto editorText = model.beginEdit();
    ASSERT_TRUE(editorText);
    EXPECT_EQ(*editorText, "200");
    EXPECT_EQ(model.editingIndex(), 1);
    model.endEdit(true, "70000");
    EXPECT_EQ(model.text(1), "60000 ms");
    EXPECT_EQ(model.selection(), 1);
    EXPECT_FALSE(model.editing());
    EXPECT_EQ(recorder.log,
              (std::vector<std::string>{"begin", "delay 1 60000 while line is '200 ms'",
                                        "changed 1 from '200 ms'"}));
}

TEST_F(EventList, SameDelayIsReportedButLeavesTheLine) {
    model.setData(1, 77);
    model.select(1);
    ASSERT_TRUE(model.beginEdit());
    model.endEdit(true, "200");
    EXPECT_EQ(model.text(1), "200 ms");
    EXPECT_EQ(model.data(1), 77);
    EXPECT_EQ(recorder.log,
              (std::vector<std::string>{"begin", "delay 1 200 while line is '200 ms'"}));
}

TEST_F(EventList, PressAndReleaseLinesAreNotEditable) {
    for (int line : {0, 2}) {
        model.select(line);
        EXPECT_FALSE(model.canEditSelection());
        EXPECT_FALSE(model.beginEdit());
    }
    model.select(-1);
    EXPECT_FALSE(model.beginEdit());
    EXPECT_TRUE(recorder.log.empty());
    EXPECT_FALSE(model.editing());
}

TEST_F(EventList, CancelLeavesTheLineAndReportsOnlyTheBeginning) {
    model.select(1);
    ASSERT_TRUE(model.beginEdit());
    model.endEdit(false, "5000");
    EXPECT_EQ(model.text(1), "200 ms");
    EXPECT_FALSE(model.editing());
    EXPECT_EQ(recorder.log, std::vector<std::string>{"begin"});
}

TEST_F(EventList, LinesShowIconsAndLoseTheirMarkers) {
    model.addLine("MsLB dn", 0);
    model.addLine("Esc", 0);
    EXPECT_EQ(model.look(0).icon, LineIcon::Press);
    EXPECT_EQ(model.look(0).text, "A ");
    EXPECT_EQ(model.look(1).icon, LineIcon::Delay);
    EXPECT_EQ(model.look(1).text, "200 ms");
    EXPECT_EQ(model.look(2).icon, LineIcon::Release);
    EXPECT_EQ(model.look(2).text, "A ");
    EXPECT_EQ(model.look(3).text, "MsLB ");
    EXPECT_EQ(model.look(4).icon, LineIcon::None);
    EXPECT_EQ(model.look(99).text, "");

    model.setMode(ListMode::Plain); // other modes draw the text as it is
    EXPECT_EQ(model.look(0).icon, LineIcon::None);
    EXPECT_EQ(model.look(0).text, "A dn");
}

TEST_F(EventList, DeletingTheEditedLineAbandonsTheEdit) {
    model.select(1);
    ASSERT_TRUE(model.beginEdit());
    model.deleteLine(1);
    EXPECT_FALSE(model.editing());
    model.endEdit(true, "900");
    EXPECT_EQ(model.count(), 2);
    EXPECT_EQ(model.text(1), "A up");
    EXPECT_EQ(recorder.log, std::vector<std::string>{"begin"});
}

TEST_F(EventList, EditFollowsItsLineWhenLinesAreInsertedAbove) {
    model.select(1);
    ASSERT_TRUE(model.beginEdit());
    model.insertLine(0, "B dn", 0);
    EXPECT_EQ(model.editingIndex(), 2);
    EXPECT_EQ(model.selection(), 2);
    model.endEdit(true, "300");
    EXPECT_EQ(model.text(2), "300 ms");
}

TEST(SortedList, KeepsLinesInCaseInsensitiveOrder) {
    ListBoxModel model(true);
    EXPECT_EQ(model.addLine("Macro_003", 3), 0);
    EXPECT_EQ(model.addLine("Macro_001", 1), 0);
    EXPECT_EQ(model.addLine("macro_002", 2), 1);
    EXPECT_EQ(model.addLine("Zeta", 4), 3);
    EXPECT_EQ(model.text(2), "Macro_003");
    EXPECT_EQ(model.data(2), 3);
    EXPECT_TRUE(lineSortsBefore("abc", "ABD"));
    EXPECT_FALSE(lineSortsBefore("ABC", "abc"));
    EXPECT_TRUE(lineSortsBefore("ab", "abc"));
}

TEST(SortedList, RenamingMovesTheLineKeepsItSelectedAndReportsNewIndexAndOldText) {
    ListBoxModel model(true);
    Recorder recorder(model);
    model.setEvents(&recorder);
    model.addLine("Macro_001", 10);
    model.addLine("Macro_002", 20);
    model.addLine("Macro_003", 30);
    model.select(0);
    auto editorText = model.beginEdit();
    ASSERT_TRUE(editorText);
    EXPECT_EQ(*editorText, "Macro_001");
    model.endEdit(true, "Zeta");
    EXPECT_EQ(model.text(2), "Zeta");
    EXPECT_EQ(model.data(2), 10);
    EXPECT_EQ(model.text(0), "Macro_002");
    EXPECT_EQ(model.selection(), 2);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"begin", "changed 2 from 'Macro_001'"}));
}

TEST(SortedList, UnchangedOrEmptiedNameSendsNothing) {
    ListBoxModel model(true);
    Recorder recorder(model);
    model.setEvents(&recorder);
    model.addLine("Macro_001", 0);
    model.select(0);
    ASSERT_TRUE(model.beginEdit());
    model.endEdit(true, "Macro_001");
    ASSERT_TRUE(model.beginEdit());
    model.endEdit(true, "");
    EXPECT_EQ(model.text(0), "Macro_001");
    EXPECT_FALSE(model.editing());
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"begin", "begin"}));
}

TEST(ParentBackedList, ReportsTheIndexTheEditBeganAtAndTheNewIndex) {
    ListBoxModel model(true);
    Recorder recorder(model);
    model.setEvents(&recorder);
    model.setMode(ListMode::ParentBacked);
    model.addLine("Default", 0);
    model.addLine("Game", 0);
    model.select(1);
    ASSERT_TRUE(model.beginEdit());
    model.endEdit(true, "Alpha");
    EXPECT_EQ(model.previousEditingIndex(), 1);
    EXPECT_EQ(model.text(0), "Alpha");
    EXPECT_EQ(recorder.log,
              (std::vector<std::string>{"begin", "changed 0 from 'Game'", "edited 1 -> 0"}));
}

TEST(UnsortedList, ReplacedLineStaysAtItsIndex) {
    ListBoxModel model(false);
    model.addLine("b", 0);
    model.addLine("a", 0);
    EXPECT_EQ(model.insertLine(7, "c", 0), 2); // past the end appends
    model.select(0);
    ASSERT_TRUE(model.beginEdit());
    model.endEdit(true, "z");
    EXPECT_EQ(model.text(0), "z");
    EXPECT_EQ(model.selection(), 0);
}

TEST(UnsortedList, SelectionFollowsItsLineAndIsClearedWithIt) {
    ListBoxModel model(false);
    model.addLine("a", 0);
    model.addLine("b", 0);
    model.select(1);
    model.insertLine(0, "x", 0);
    EXPECT_EQ(model.selection(), 2);
    model.deleteLine(0);
    EXPECT_EQ(model.selection(), 1);
    model.deleteLine(1);
    EXPECT_EQ(model.selection(), -1);
    EXPECT_FALSE(model.deleteLine(5));
    model.select(9);
    EXPECT_EQ(model.selection(), -1);
}

} // namespace
} // namespace talvex
