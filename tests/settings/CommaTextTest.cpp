#include "settings/CommaText.h"

#include <gtest/gtest.h>

namespace {

using Items = std::vector<std::string>;

TEST(CommaTextTest, SplitsOnCommasAndKeepsQuotedItemsWhole) {
  EXPECT_EQ(qv::SplitCommaText("\"-- None --\",Production,Demand"),
            (Items{"-- None --", "Production", "Demand"}));
  EXPECT_EQ(qv::SplitCommaText(" -- Keine -- , Produktion,Bedarf "),
            (Items{"-- Keine --", "Produktion", "Bedarf"}));
  EXPECT_EQ(qv::SplitCommaText("\"a,b\",\"say \"\"hi\"\"\",,c"),
            (Items{"a,b", "say \"hi\"", "", "c"}));
  EXPECT_EQ(qv::SplitCommaText(""), Items{});
  EXPECT_EQ(qv::SplitCommaText("\"open"), Items{"open"});
}

TEST(CommaTextTest, JoinedTextSplitsBackToTheSameItems) {
  const Items items{"-- None --", "a,b", "say \"hi\"", " padded ", "plain"};
  EXPECT_EQ(qv::SplitCommaText(qv::JoinCommaText(items)), items);
  for (const Items& edge : {Items{}, Items{""}, Items{"", ""}, Items{"", "x"}, Items{" "}})
    EXPECT_EQ(qv::SplitCommaText(qv::JoinCommaText(edge)), edge) << qv::JoinCommaText(edge);
}

}  // namespace
