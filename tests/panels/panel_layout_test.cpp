// The layout tree: child stacks, building operations and their messages, measuring and
// placing with integer shares, ownership.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "failing_allocations.h"
#include "panel_fixture.h"
#include "panels/control_column.h"
#include "panels/control_group.h"
#include "panels/control_row.h"
#include "panels/control_stack.h"
#include "panels/interface.h"
#include "panels/text_label.h"
#include "panels/text_width.h"

namespace {

using panel_test::Message;
using panel_test::shownMessages;
using pelorix3::Control;
using pelorix3::ControlColumn;
using pelorix3::ControlGroup;
using pelorix3::ControlStack;
using pelorix3::Interface;

// A leaf of a given size that counts the live instances, to check ownership.
class Sized final : public Control {
public:
    Sized(int w, int h, int marginX = 0, int marginY = 0)
        : Control(marginX, marginY), w_(w), h_(h) {
        ++live;
    }
    ~Sized() override { --live; }
    int width() const override { return x + w_; }
    int height() const override { return y + h_; }

    static inline int live = 0;

private:
    int w_, h_;
};

using PanelLayout = panel_test::PanelTest;

TEST(ControlStack, SixteenthPushGrowsToThirtyKeepingOrder) {
    ControlStack stack;
    Sized nodes[16] = {{1, 1}, {2, 1},  {3, 1},  {4, 1},  {5, 1},  {6, 1},  {7, 1},  {8, 1},
                       {9, 1}, {10, 1}, {11, 1}, {12, 1}, {13, 1}, {14, 1}, {15, 1}, {16, 1}};
    for (int i = 0; i < 15; ++i) ASSERT_TRUE(stack.push(&nodes[i]));
    EXPECT_EQ(stack.capacity, 15);
    ASSERT_TRUE(stack.push(&nodes[15]));
    EXPECT_EQ(stack.capacity, 30);
    ASSERT_EQ(stack.count(), 16);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(stack[i], &nodes[i]);
    EXPECT_EQ(stack.pop(), &nodes[15]);
    EXPECT_EQ(stack.last(), &nodes[14]);
    EXPECT_EQ(stack.capacity, 30);
}

struct BuildingCase {
    const char* name;
    std::function<void(Interface&)> steps;
    std::vector<Message> messages;
};

class BuildingMessages : public panel_test::PanelTest,
                         public ::testing::WithParamInterface<BuildingCase> {};

TEST_P(BuildingMessages, ShowsOperationAndReason) {
    Interface panel(nullptr);
    GetParam().steps(panel);
    EXPECT_EQ(shownMessages, GetParam().messages);
}

const char* const needGroup = "Need a ControlGroup!";
const char* const needRow = "Need a ControlRow!";
const char* const needColumn = "Need a ControlColumn!";

INSTANTIATE_TEST_SUITE_P(
    PanelLayout, BuildingMessages,
    ::testing::Values(BuildingCase{"BeginRowWithoutGroup",
                                   [](Interface& p) { p.beginRow(); },
                                   {{"ERROR: Interface::beginRow:", needGroup}}},
                      BuildingCase{"EndRowWithoutGroup",
                                   [](Interface& p) { p.endRow(); },
                                   {{"ERROR: Interface::endRow:", needGroup}}},
                      BuildingCase{"BeginColumnWithoutGroup",
                                   [](Interface& p) { p.beginColumn(); },
                                   {{"ERROR: Interface::beginColumn:", needGroup}}},
                      BuildingCase{"EndColumnWithoutGroup",
                                   [](Interface& p) { p.endColumn(); },
                                   {{"ERROR: Interface::endColumn:", needGroup}}},
                      BuildingCase{"EndGroupWithoutGroup",
                                   [](Interface& p) { p.endGroup(); },
                                   {{"ERROR: Interface::endColumn:", needGroup},
                                    {"ERROR: Interface::endRow:", needGroup}}},
                      BuildingCase{"SecondBeginRow",
                                   [](Interface& p) {
                                       p.beginGroup(0, 0);
                                       p.beginRow();
                                   },
                                   {{"ERROR: ControlColumn::beginRow:", needGroup}}},
                      BuildingCase{"SecondBeginColumn",
                                   [](Interface& p) {
                                       p.beginGroup(0, 0);
                                       p.beginColumn();
                                   },
                                   {{"ERROR: ControlColumn::beginColumn:", needGroup}}},
                      BuildingCase{"BeginRowAfterEndColumnOnly",
                                   [](Interface& p) {
                                       p.beginGroup(0, 0);
                                       p.endColumn();
                                       p.beginRow();
                                   },
                                   {{"ERROR: ControlRow::beginRow:", needColumn}}},
                      BuildingCase{"BeginGroupInRowWithoutColumn",
                                   [](Interface& p) {
                                       p.beginGroup(0, 0);
                                       p.endColumn();
                                       p.beginGroup(0, 0);
                                   },
                                   {{"ERROR: ControlRow::beginGroup:", needColumn},
                                    {"ERROR: ControlRow::beginRow:", needColumn}}},
                      BuildingCase{"BeginColumnWithoutRow",
                                   [](Interface& p) {
                                       p.beginGroup(0, 0);
                                       p.endColumn();
                                       p.endRow();
                                       p.beginColumn();
                                   },
                                   {{"ERROR: ControlGroup::beginColumn:", needRow}}},
                      BuildingCase{"BeginGroupInGroupWithoutRow",
                                   [](Interface& p) {
                                       p.beginGroup(0, 0);
                                       p.endColumn();
                                       p.endRow();
                                       p.beginGroup(0, 0);
                                   },
                                   {{"ERROR: ControlGroup::beginGroup:", needRow}}},
                      BuildingCase{"UsualOrder",
                                   [](Interface& p) {
                                       p.beginGroup(10, 0);
                                       p.endColumn();
                                       p.endRow();
                                       p.beginRow();
                                       p.beginColumn();
                                       p.endGroup();
                                       p.add(new Sized(1, 1));
                                   },
                                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelLayout, EndGroupWithoutGroupChangesNothing) {
    Interface panel(nullptr);
    panel.add(new Sized(30, 20));
    panel.endGroup();
    EXPECT_EQ(panel.children.count(), 1);
    EXPECT_EQ(panel.groupOpen, 0);
}

// Ending a column while a group nested in it is open ends the nested group's column only;
// once the nested group has no open column, the next ending reaches the outer column.
TEST_F(PanelLayout, EndColumnEndsTheInnermostOpenColumnFirst) {
    Interface panel(nullptr);
    panel.beginGroup(0, 0);
    panel.beginGroup(0, 0);  // in the outer group's open column
    panel.add(new Sized(10, 10));
    const ControlGroup* outer = static_cast<ControlGroup*>(panel.children[0]);
    const pelorix3::ControlRow* outerRow = outer->openRow();
    ASSERT_NE(outerRow, nullptr);

    panel.endColumn();
    EXPECT_EQ(outerRow->openColumns.count(), 1);
    EXPECT_EQ(outerRow->columns.count(), 0);
    panel.endColumn();
    EXPECT_EQ(outerRow->openColumns.count(), 0);
    EXPECT_EQ(outerRow->columns.count(), 1);
}

// A nested group whose row and column are ended has nothing open: the next ending of a
// column, or of a row, passes over it to the outer group's.
TEST_F(PanelLayout, EndingsPassOverANestedGroupWithNothingOpen) {
    for (const bool endingARow : {false, true}) {
        SCOPED_TRACE(endingARow ? "endRow" : "endColumn");
        Interface panel(nullptr);
        panel.beginGroup(0, 0);
        panel.beginGroup(0, 0);  // in the outer group's open column
        panel.endColumn();
        panel.endRow();
        const auto* outer = static_cast<ControlGroup*>(panel.children[0]);
        const pelorix3::ControlRow* outerRow = outer->openRow();
        ASSERT_NE(outerRow, nullptr);
        if (endingARow) {
            panel.endRow();
            EXPECT_EQ(outer->openRows.count(), 0);
            EXPECT_EQ(outer->rows.count(), 1);
        } else {
            panel.endColumn();
            EXPECT_EQ(outerRow->openColumns.count(), 0);
            EXPECT_EQ(outerRow->columns.count(), 1);
        }
    }
}

// Ending a group nested in a column ends the nested group only: the next control goes into
// the outer column after it, and every node belongs to the panel.
TEST_F(PanelLayout, EndGroupEndsTheNestedGroupFirst) {
    Interface panel(nullptr);
    panel.beginGroup(0, 0);
    panel.beginGroup(0, 0);  // in the outer group's open column
    auto* inner = new Sized(10, 10);
    panel.add(inner);
    panel.endGroup();
    auto* after = new Sized(20, 20);
    panel.add(after);
    const auto* outer = static_cast<ControlGroup*>(panel.children[0]);
    const ControlColumn* column = outer->openRow()->openColumn();
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->groupOpen, 0);
    ASSERT_EQ(column->children.count(), 2);
    EXPECT_EQ(column->children[1], after);
    EXPECT_EQ(inner->owner, &panel);
    EXPECT_EQ(after->owner, &panel);
    panel.endGroup();
    EXPECT_EQ(panel.groupOpen, 0);
    EXPECT_TRUE(shownMessages.empty());
}

// A group the panel cannot add, its parent's children being full and out of memory to
// grow, is dropped without a trace: nothing opened, no message about missing groups.
TEST_F(PanelLayout, AGroupThatCannotBeAddedOpensNothing) {
    Interface panel(nullptr);
    for (int i = 0; i < ControlStack::initialCapacity; ++i) panel.add(new Sized(1, 1));
    {
        const allocation_test::FailingArrayAllocations outOfMemory;
        panel.beginGroup(0, 0);
    }
    EXPECT_EQ(panel.children.count(), ControlStack::initialCapacity);
    EXPECT_EQ(panel.groupOpen, 0);
    EXPECT_TRUE(shownMessages.empty());
}

// A control added to a column belongs to the column's panel, whichever way it came there:
// the panel creates its host controls through that owner.
TEST_F(PanelLayout, AControlAddedToAColumnBelongsToTheColumnsPanel) {
    Interface panel(nullptr);
    ControlColumn column;
    column.owner = &panel;
    auto* control = new Sized(10, 10);
    column.add(control);
    ASSERT_EQ(column.children.count(), 1);
    EXPECT_EQ(control->owner, &panel);
}

// Each container's ending steps, with nothing open below the container, say that they
// closed nothing (0), so that the caller closes its own.
TEST(ControlContainers, EndingsWithNothingOpenBelowCloseNothing) {
    ControlGroup group(0, 0);
    pelorix3::ControlRow row;
    ControlColumn column;
    const std::vector<std::pair<const char*, std::function<int()>>> endings{
        {"group endRow", [&] { return group.endRow(); }},
        {"group endColumn", [&] { return group.endColumn(); }},
        {"group endGroup", [&] { return group.endGroup(); }},
        {"row endRow", [&] { return row.endRow(); }},
        {"row endColumn", [&] { return row.endColumn(); }},
        {"row endGroup", [&] { return row.endGroup(); }},
        {"column endRow", [&] { return column.endRow(); }},
        {"column endColumn", [&] { return column.endColumn(); }},
        {"column endGroup", [&] { return column.endGroup(); }}};
    for (const auto& [name, ending] : endings) EXPECT_EQ(ending(), 0) << name;
}

// Two closed rows of one column and one label each, in a group with margin 10.
TEST_F(PanelLayout, TwoLabelWorkedExample) {
    const std::string sixty(15, 'I');    // 15 × 4 pixels
    const std::string hundred(25, 'I');  // 25 × 4 pixels
    Interface panel(nullptr);
    panel.beginGroup(10, 0);
    auto* first = new pelorix3::TextLabel(sixty.c_str(), 9, 0, 0);
    panel.add(first);
    panel.endColumn();
    panel.endRow();
    panel.beginRow();
    panel.beginColumn();
    auto* second = new pelorix3::TextLabel(hundred.c_str(), 9, 0, 0);
    panel.add(second);
    panel.endGroup();
    panel.layout();

    auto* group = static_cast<ControlGroup*>(panel.children[0]);
    EXPECT_EQ(group->rows.count(), 2);
    EXPECT_EQ(panel.width, 126);
    EXPECT_EQ(panel.height, 80);
    EXPECT_EQ(group->x, 10);
    EXPECT_EQ(group->y, 0);
    EXPECT_EQ(first->x, 10);
    EXPECT_EQ(first->y, 0);
    EXPECT_EQ(second->x, 10);
    EXPECT_EQ(second->y, 20);
    EXPECT_EQ(first->owner, &panel);
    EXPECT_EQ(second->owner, &panel);
    EXPECT_TRUE(shownMessages.empty());
}

struct ShareCase {
    int firstWidth, secondWidth, slotWidth;
    int secondOffset;
};

class ColumnShares : public ::testing::TestWithParam<ShareCase> {};

// The spare width is split evenly (truncated toward zero); each child keeps its left slot edge.
TEST_P(ColumnShares, ChildrenSitAtTheLeftOfWidenedSlots) {
    const ShareCase& c = GetParam();
    ControlColumn column;
    auto* first = new Sized(c.firstWidth, 20);
    auto* second = new Sized(c.secondWidth, 20);
    column.add(first);
    column.add(second);
    column.place(5, 7, c.slotWidth, 20);
    EXPECT_EQ(first->x, 5);
    EXPECT_EQ(second->x, 5 + c.secondOffset);
    EXPECT_EQ(second->y, 7);
}

INSTANTIATE_TEST_SUITE_P(PanelLayout, ColumnShares,
                         ::testing::Values(ShareCase{50, 60, 117, 53},    // share 3, 1 left over
                                           ShareCase{50, 57, 100, 47},    // share -3
                                           ShareCase{50, 60, 110, 50}));  // share 0

TEST_F(PanelLayout, TopLevelControlsStackDownwards) {
    Interface panel(nullptr);
    auto* upper = new Sized(100, 20, 4, 0);
    auto* lower = new Sized(60, 30);
    panel.add(upper);
    panel.add(lower);
    EXPECT_EQ(panel.width, 0);  // unmeasured until layout
    EXPECT_EQ(panel.height, 0);
    panel.layout();
    EXPECT_EQ(panel.width, 104 + 16);
    EXPECT_EQ(panel.height, 50 + 40);
    EXPECT_EQ(upper->x, 4);
    EXPECT_EQ(upper->y, 0);
    EXPECT_EQ(lower->x, 0);
    EXPECT_EQ(lower->y, 20);
}

// A leaf that notes the slot it was placed in.
class SlotRecorder final : public Control {
public:
    SlotRecorder() : Control(0, 0) {}
    void place(int left, int top, int slotWidth, int slotHeight) override {
        Control::place(left, top, slotWidth, slotHeight);
        slotWidths.push_back(slotWidth);
        slotHeights.push_back(slotHeight);
    }
    int width() const override { return x + 50; }
    std::vector<int> slotWidths;
    std::vector<int> slotHeights;
};

// A lone child is given the whole slot; containers with nothing in them place nothing.
TEST_F(PanelLayout, ALoneChildTakesTheWholeSlotAndEmptyContainersPlaceNothing) {
    ControlColumn column;
    auto* lone = new SlotRecorder;
    column.add(lone);
    column.place(5, 7, 117, 20);
    EXPECT_EQ(lone->slotWidths, std::vector<int>{117});
    EXPECT_EQ(lone->x, 5);

    ControlColumn emptyColumn;
    emptyColumn.place(0, 0, 100, 20);
    pelorix3::ControlRow emptyRow;
    emptyRow.place(0, 0, 100, 20);
    ControlGroup emptyGroup(0, 0);
    emptyGroup.place(0, 0, 100, 20);
    EXPECT_EQ(emptyColumn.x + emptyRow.x + emptyGroup.x, 0);
}

// A group below a 30-pixel top-level child is given the height it measured before its
// position was added in: its share is (40 − (40 + 30)) / 2 = −15 per row, which reaches
// the rows' slots, while the rows still follow each other by their own height.
TEST_F(PanelLayout, GroupBelowAnotherChildSharesItsPositionAwayAndStacksByRowHeight) {
    Interface panel(nullptr);
    panel.add(new Sized(100, 30));
    panel.beginGroup(0, 0);
    auto* upper = new SlotRecorder;
    panel.add(upper);
    panel.endColumn();
    panel.endRow();
    panel.beginRow();
    panel.beginColumn();
    auto* lower = new SlotRecorder;
    panel.add(lower);
    panel.endGroup();
    panel.layout();
    EXPECT_EQ(panel.height, 30 + 40 + 40);
    EXPECT_EQ(upper->y, 30);
    EXPECT_EQ(lower->y, 50);
    EXPECT_EQ(upper->slotHeights, std::vector<int>{20 - 15});
    EXPECT_EQ(lower->slotHeights, std::vector<int>{20 - 15});
}

// Ending a row whose column is still open closes the row alone: the column never closed
// takes no part in the layout, and nothing is shown.
TEST_F(PanelLayout, EndRowWithItsColumnOpenClosesOnlyTheRow) {
    Interface panel(nullptr);
    panel.beginGroup(0, 0);
    panel.add(new Sized(50, 20));
    panel.endRow();
    auto* group = static_cast<ControlGroup*>(panel.children[0]);
    ASSERT_EQ(group->rows.count(), 1);
    EXPECT_EQ(static_cast<pelorix3::ControlRow*>(group->rows[0])->columns.count(), 0);
    EXPECT_EQ(group->openRows.count(), 0);
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(PanelLayout, GroupWithoutClosedRowsMeasuresItsMargins) {
    ControlGroup group(7, 9);
    group.beginRow();
    EXPECT_EQ(group.width(), 7);
    EXPECT_EQ(group.height(), 9);
}

// Without endGroup the group's row and column stay open and take no part in the layout.
TEST_F(PanelLayout, UnclosedRowIsLeftOut) {
    Interface panel(nullptr);
    panel.beginGroup(3, 4);
    panel.add(new Sized(50, 20));
    panel.layout();
    EXPECT_EQ(panel.width, 3 + 16);
    EXPECT_EQ(panel.height, 4 + 40);
}

TEST_F(PanelLayout, NestedGroupIsPlacedInsideItsColumn) {
    Interface panel(nullptr);
    panel.beginGroup(10, 0);
    panel.add(new Sized(40, 20));
    panel.beginGroup(5, 2);
    auto* inner = new Sized(30, 20);
    panel.add(inner);
    panel.endGroup();
    panel.endGroup();
    panel.layout();
    // Outer row: 40 + (5 + 30) = 75 wide, (2 + 20) high.
    EXPECT_EQ(panel.width, 10 + 75 + 16);
    EXPECT_EQ(panel.height, 22 + 40);
    EXPECT_EQ(panel.groupOpen, 0);
    // The inner group's slot is widened by (101 - 75) / 2 = 13.
    EXPECT_EQ(inner->x, 10 + 40 + 13 + 5);
    EXPECT_EQ(inner->y, 2);
    EXPECT_EQ(inner->owner, &panel);
}

// Nodes in rows or columns never closed belong to the tree too and go with it; a control
// that finds no open column is not kept at all.
TEST_F(PanelLayout, DestroyingTheInterfaceDeletesEveryNode) {
    Sized::live = 0;
    {
        Interface panel(nullptr);
        panel.add(new Sized(1, 1));
        panel.beginGroup(0, 0);
        panel.add(new Sized(1, 1));
        panel.endColumn();
        panel.add(new Sized(1, 1));  // no open column: deleted at once
        EXPECT_EQ(Sized::live, 2);
        panel.endRow();
        panel.beginRow();
        panel.beginColumn();
        panel.add(new Sized(1, 1));  // its row is never closed
        for (int i = 0; i < 20; ++i) panel.add(new Sized(1, 1));
        EXPECT_EQ(Sized::live, 23);
    }
    EXPECT_EQ(Sized::live, 0);
}

TEST_F(PanelLayout, NullControlIsIgnored) {
    Interface panel(nullptr);
    panel.add(nullptr);
    panel.beginGroup(0, 0);
    panel.add(nullptr);
    panel.endGroup();
    panel.layout();
    EXPECT_EQ(panel.children.count(), 1);
    EXPECT_EQ(panel.width, 16);
}

struct WidthCase {
    const char* text;
    int width;
};

class TextWidths : public ::testing::TestWithParam<WidthCase> {};

TEST_P(TextWidths, SumsTheCharacterTable) {
    EXPECT_EQ(pelorix3::textWidth(GetParam().text), GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(
    PanelLayout, TextWidths,
    ::testing::Values(WidthCase{"Density", 43}, WidthCase{"Transparency", 79},
                      WidthCase{"Specular Color", 85}, WidthCase{"About", 33}, WidthCase{"", 0},
                      WidthCase{nullptr, 0}, WidthCase{"I(]. '", 25}, WidthCase{")[", 8},
                      WidthCase{"Z9-", 24}, WidthCase{"abcdeghknopqsuvxyz", 18 * 7},
                      WidthCase{"fijl", 4 * 3}, WidthCase{"mw", 2 * 9}, WidthCase{"rt", 2 * 4}));

}  // namespace
