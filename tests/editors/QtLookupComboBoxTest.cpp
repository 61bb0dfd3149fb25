#include "editors/QtLookupComboBox.h"

#include <gtest/gtest.h>

#include "data/Table.h"

namespace {

using qv::FieldType;
using qv::Table;

class QtLookupComboBoxTest : public ::testing::Test {
 protected:
  QtLookupComboBoxTest() {
    names_.AddField("Id", FieldType::Integer);
    names_.AddField("Name", FieldType::String, 30);
    data_.AddField("Key", FieldType::Integer);
    data_.AddLookupField("KeyName", 30, "Key", &names_, "Id", "Name");
    AddName(1, "Ore");
    AddName(2, "Chips");
    AddName(3, "Ore");  // a second type of the same name
    data_.Append();
    data_.FieldByName("Key").SetAsInteger(2);
    data_.Post();
    box_.Bind(&data_, "KeyName");
  }
  void AddName(int id, const std::string& name) {
    names_.Append();
    names_.FieldByName("Id").SetAsInteger(id);
    names_.FieldByName("Name").SetAsString(name);
    names_.Post();
  }

  Table names_{"Names"};
  Table data_{"Data"};
  qv::QtLookupComboBox box_;
};

TEST_F(QtLookupComboBoxTest, ChoiceStoresTheKeyOfTheChosenRowEvenWhenNamesRepeat) {
  EXPECT_EQ(box_.ListedTexts(), (std::vector<std::string>{"Ore", "Chips", "Ore"}));
  EXPECT_EQ(box_.ShownText(), "Chips");
  int chosen = 0;
  QObject::connect(&box_, &qv::QtLookupComboBox::ValueChosen, [&] { ++chosen; });
  ASSERT_TRUE(box_.ChooseIndex(2));
  EXPECT_EQ(data_.State(), qv::TableState::Edit);  // left for the owner to post
  EXPECT_EQ(data_.FieldByName("Key").AsInteger(), 3);
  EXPECT_EQ(box_.currentIndex(), 2);
  EXPECT_EQ(chosen, 1);
  EXPECT_FALSE(box_.ChooseIndex(7));
  EXPECT_FALSE(box_.ChooseText("Food"));
  EXPECT_EQ(chosen, 1);
}

TEST_F(QtLookupComboBoxTest, FollowsChangesOfBothTables) {
  data_.Edit();
  data_.FieldByName("Key").SetAsInteger(99);  // no such row
  data_.Post();
  EXPECT_EQ(box_.ShownText(), "");

  names_.SetFilter("Id > 1");
  names_.SetFiltered(true);
  EXPECT_EQ(box_.ListedTexts(), (std::vector<std::string>{"Chips", "Ore"}));
  names_.SetFiltered(false);
  data_.Edit();
  data_.FieldByName("Key").SetAsInteger(1);
  data_.Post();
  names_.First();
  names_.Edit();
  names_.FieldByName("Name").SetAsString("Iron ore");
  names_.Post();
  EXPECT_EQ(box_.ShownText(), "Iron ore");
}

}  // namespace
