// Pure rules of the main window: the command each key runs, the version text and the code list's
// row under a press.
#include <gtest/gtest.h>

#include "workbench/code_list.h"
#include "workbench/key_filter.h"
#include "workbench/version.h"

using namespace quorvex;

TEST(KeyTable, EachKeyRunsItsCommand) {
    EXPECT_EQ(key_command(Qt::Key_F8, Qt::ShiftModifier, false), KeyCommand::StepOut);
    EXPECT_EQ(key_command(Qt::Key_F8, Qt::ShiftModifier | Qt::ControlModifier, false), KeyCommand::StepOver);
    EXPECT_EQ(key_command(Qt::Key_F8, {}, false), KeyCommand::StepOver);
    EXPECT_EQ(key_command(Qt::Key_Return, {}, false), KeyCommand::StepOver);
    EXPECT_EQ(key_command(Qt::Key_Enter, Qt::KeypadModifier, false), KeyCommand::StepOver);
    EXPECT_EQ(key_command(Qt::Key_F7, {}, true), KeyCommand::CommitAndStep);
    EXPECT_EQ(key_command(Qt::Key_F7, {}, false), KeyCommand::Step);
    EXPECT_EQ(key_command(Qt::Key_F1, {}, false), KeyCommand::None);
}

TEST(VersionText, NumbersAndTheThirdAsALetter) {
    EXPECT_EQ(version_text(1, 2, 3, true).toStdString(), "1.02C");
    EXPECT_EQ(version_text(0, 95, 1, true).toStdString(), "0.95A");
    EXPECT_EQ(version_text(1, 2, 0, true).toStdString(), "1.02");
    EXPECT_TRUE(version_text(1, 2, 3, false).isEmpty());
    EXPECT_TRUE(Version1().endsWith('F'));
}

TEST(CodeListPress, RowUnderThePointer) {
    EXPECT_EQ(break_line_at(40, 13, 5), 8);
    EXPECT_EQ(break_line_at(-1, 13, 0), 0); // truncating, like the list's own division
    EXPECT_EQ(break_line_at(40, 0, 0), 40);
}
