#include "goview/controls/dialog_group.h"

#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "goview/controls/control_id.h"

namespace goview {
namespace {

TEST(ControlIds, FindControlByIdAndKind) {
    QWidget form;
    auto* box = new QWidget(&form);
    auto* edit = new QLineEdit(box);
    SetControlId(edit, 1014);
    SetControlId(new QLabel(&form), 1064);
    EXPECT_EQ(ControlId(edit), 1014);
    EXPECT_EQ(ControlId(box), 0);
    EXPECT_EQ(FindControl<QLineEdit>(&form, 1014), edit);
    EXPECT_EQ(FindControl<QLineEdit>(&form, 1064), nullptr);
    EXPECT_EQ(FindControl<QWidget>(&form, 9999), nullptr);
}

class DialogGroups : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto& w : members) w = new QLabel(&form);
        SetGroupMark(members[2], GroupMark::Start);
        SetGroupMark(members[5], GroupMark::Start);
    }
    QWidget form;
    std::array<QWidget*, 6> members{};
};

TEST_F(DialogGroups, GroupsRunFromOneMarkToTheNext) {
    EXPECT_EQ(DialogGroup(members[1]), (std::vector<QWidget*>{members[0], members[1]}));
    EXPECT_EQ(DialogGroup(members[3]), (std::vector<QWidget*>{members[2], members[3], members[4]}));
    EXPECT_EQ(DialogGroup(members[5]), (std::vector<QWidget*>{members[5]}));
}

TEST_F(DialogGroups, NeighboursWrapAndSkipHiddenOrDisabledMembers) {
    EXPECT_EQ(NextGroupItem(members[4], GroupDirection::Next), members[2]);
    EXPECT_EQ(NextGroupItem(members[2], GroupDirection::Previous), members[4]);
    members[3]->setEnabled(false);
    EXPECT_EQ(NextGroupItem(members[2], GroupDirection::Next), members[4]);
    members[4]->hide();
    EXPECT_EQ(NextGroupItem(members[2], GroupDirection::Next), members[2]);
    EXPECT_EQ(NextGroupItem(members[5], GroupDirection::Previous), members[5]);
}

}  // namespace
}  // namespace goview
