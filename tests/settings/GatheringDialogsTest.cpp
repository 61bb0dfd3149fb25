#include "settings/GatheringDialogs.h"

#include <gtest/gtest.h>

#include "support/ScriptedDialogs.h"

namespace {

using qv::MessageIcon;

// Between the close and the end, every message waits; they come as one,
// each text once, with the most serious icon. Questions are never held up.
TEST(GatheringDialogsTest, MessagesWhileGatheringComeAsOneAtTheEnd) {
  qvtest::ScriptedDialogs shown;
  qv::GatheringDialogs dialogs(shown);
  dialogs.ShowMessage("before", "Note", MessageIcon::Information);
  dialogs.BeginGathering();
  dialogs.ShowMessage("Cannot write file a.col\nread-only", "Warning", MessageIcon::Warning);
  dialogs.ShowMessage("Cannot write file QVMap.INI\nread-only", "Error", MessageIcon::Error);
  dialogs.ShowMessage("Cannot write file a.col\nread-only", "Warning", MessageIcon::Warning);
  shown.yesNoAnswers.push_back(true);
  EXPECT_TRUE(dialogs.AskYesNo("Really?", "Question"));
  ASSERT_EQ(shown.shown.size(), 2u);  // "before" and the question
  dialogs.EndGathering("Not everything was saved:");
  ASSERT_EQ(shown.shown.size(), 3u);
  EXPECT_EQ(shown.shown[2].text,
            "Not everything was saved:\n\nCannot write file a.col\nread-only\n\n"
            "Cannot write file QVMap.INI\nread-only");
  EXPECT_EQ(shown.shown[2].caption, "Error");
  EXPECT_EQ(shown.shown[2].icon, MessageIcon::Error);

  // One message is shown as it came, nothing at all shows nothing.
  dialogs.BeginGathering();
  dialogs.ShowMessage("only", "Warning", MessageIcon::Warning);
  dialogs.EndGathering("heading");
  dialogs.BeginGathering();
  dialogs.EndGathering("heading");
  ASSERT_EQ(shown.shown.size(), 4u);
  EXPECT_EQ(shown.shown[3].text, "only");
  dialogs.ShowMessage("after", "Note", MessageIcon::Information);
  EXPECT_EQ(shown.shown.size(), 5u);
}

}  // namespace
