// The outline tree: item reuse across passes, nesting, batches of a big outline and activation.
#include "outline_rows.h"
#include "outline/ui/outline_model.h"
#include "support/nsis_headers.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// Fed scans directly: the worker's passes are walked in the side pane.
class CodeTreeTest : public ::testing::Test {
protected:
    void SetUp() override { m_tree->resize(300, 400); }

    void Apply(std::string_view text) { m_tree->ApplyItems(ScanOutline(text)); }

    QModelIndex Item(int row, const QModelIndex& parent = {}) const { return m_tree->model()->index(row, 0, parent); }
    int Count(const QModelIndex& parent = {}) const { return m_tree->model()->rowCount(parent); }
    static QString Label(const QModelIndex& item) { return item.data().toString(); }

    QStringList Shape() const { return TreeRows(*m_tree->model()); }

    std::unique_ptr<CCodeTreeCtrl> m_tree = std::make_unique<CCodeTreeCtrl>(nullptr, nullptr);
};

// Every item in document order; held indexes follow an item while it stays and go invalid when it goes.
std::vector<QPersistentModelIndex> AllItems(const QAbstractItemModel& model, const QModelIndex& parent = {}) {
    std::vector<QPersistentModelIndex> items;
    for (int i = 0; i < model.rowCount(parent); ++i) {
        const QModelIndex item = model.index(i, 0, parent);
        items.emplace_back(item);
        const auto below = AllItems(model, item);
        items.insert(items.end(), below.begin(), below.end());
    }
    return items;
}

}  // namespace

TEST_F(CodeTreeTest, BuildsNestingWithImagesAndRecords) {
    Apply("SectionGroup G1\nSection S1\nSectionGroupEnd\nSection S2\nFunction F\n!macro M\n!ifdef D\nPageEx license\n");
    EXPECT_EQ(Shape(),
              (QStringList{"SectionGroup G1@0", ">Section S1@1", "Section S2@3", "Function F@4", "!macro M@5",
                           "!ifdef D@6", "PageEx license@7"}));
    EXPECT_EQ(CCodeTreeCtrl::ItemRow(Item(0)), OutlineRow::SectionGroup);
    EXPECT_EQ(CCodeTreeCtrl::ItemRow(Item(2)), OutlineRow::Function);
    for (int i = 0; i < Count(); ++i)
        EXPECT_FALSE(Item(i).data(Qt::DecorationRole).value<QIcon>().isNull()) << i;
    // Items are 20 pixels high.
    m_tree->show();
    EXPECT_EQ(m_tree->visualRect(Item(1)).height(), 20);
}

TEST_F(CodeTreeTest, EditWithoutStructureChangeKeepsEveryItemUntouched) {
    Apply("Section A\n  File a.txt\nSectionGroup G\n  Section B\nSectionGroupEnd\nFunction F\n");
    const auto items = AllItems(*m_tree->model());
    ASSERT_EQ(items.size(), 4u);

    QSignalSpy changed(m_tree->model(), &QAbstractItemModel::dataChanged);
    QSignalSpy inserted(m_tree->model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(m_tree->model(), &QAbstractItemModel::rowsRemoved);
    // A body line changed, a comment and a line added after the last entry.
    Apply("Section A\n  File b.txt ; main\nSectionGroup G\n  Section B\nSectionGroupEnd\nFunction F\n  Call Other\n");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(inserted.count(), 0);
    EXPECT_EQ(removed.count(), 0);
    EXPECT_EQ(AllItems(*m_tree->model()), items);
}

TEST_F(CodeTreeTest, FunctionAddedInTheMiddleInsertsOneItemAndShiftsLines) {
    Apply("Section A\nSection B\n\nFunction F\nFunction G\n");
    const auto items = AllItems(*m_tree->model());
    QSignalSpy inserted(m_tree->model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(m_tree->model(), &QAbstractItemModel::rowsRemoved);
    Apply("Section A\nSection B\n\nFunction New\nFunctionEnd\nFunction F\nFunction G\n");
    EXPECT_EQ(Shape(), (QStringList{"Section A@0", "Section B@1", "Function New@3", "Function F@5", "Function G@6"}));
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0].mid(1), (QVariantList{4, 4}));  // first and last row
    EXPECT_EQ(removed.count(), 0);
    const auto after = AllItems(*m_tree->model());
    // Items are reused in document order; the one item more comes at the end.
    ASSERT_EQ(after.size(), items.size() + 1);
    EXPECT_TRUE(std::equal(items.begin(), items.end(), after.begin()));
}

TEST_F(CodeTreeTest, ExpansionAndScrollPositionSurviveAPass) {
    std::string text = "SectionGroup Outer\nSection In1\nSection In2\nSectionGroupEnd\n";
    for (int i = 0; i < 200; ++i)
        text += "Function F" + std::to_string(i) + "\n";
    Apply(text);
    m_tree->show();
    const QPersistentModelIndex group = Item(0);
    m_tree->expand(group);
    m_tree->verticalScrollBar()->setValue(50);
    const int scrolled = m_tree->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);

    // Lines added above every entry: all lines shift, the structure does not.
    Apply("!include LogicLib.nsh\n\n" + text);
    EXPECT_EQ(Item(0), group);
    EXPECT_TRUE(m_tree->isExpanded(group));
    EXPECT_EQ(CCodeTreeCtrl::ItemLine(Item(1, group)), 4);
    EXPECT_EQ(m_tree->verticalScrollBar()->value(), scrolled);
}

// A script of tens of thousands of entries: the view learns of the top level
// a batch at a time as it is scrolled to the end, and later passes tell it
// only of what it knows.
TEST_F(CodeTreeTest, BigOutlineReachesTheViewInBatchesAsItScrollsDown) {
    constexpr int kBatch = COutlineModel::kTopRowsPerFetch;
    const auto script = [](int entries, const std::string& inGroup) {
        std::string text = "SectionGroup G\nSection " + inGroup + "\nSectionGroupEnd\n";
        for (int i = 1; i < entries; ++i)
            text += "Function F" + std::to_string(i) + "\n";
        return text;
    };
    m_tree->show();
    Apply(script(2 * kBatch + 500, "A"));
    EXPECT_EQ(Count(), kBatch);
    for (int scrolls = 0; scrolls < 4 && Count() < 2 * kBatch + 500; ++scrolls) {
        m_tree->doItemsLayout();  // the scroll range follows the rows the view knows
        m_tree->verticalScrollBar()->setValue(m_tree->verticalScrollBar()->maximum());
    }
    ASSERT_EQ(Count(), 2 * kBatch + 500);
    EXPECT_EQ(Label(Item(2 * kBatch + 499)), QStringLiteral("Function F%1").arg(2 * kBatch + 499));

    Apply(script(kBatch + 10, "B"));
    EXPECT_EQ(Count(), kBatch + 10);
    EXPECT_EQ(Label(Item(0, Item(0))), "Section B");
    // The view was told of each removal: nothing follows the model's last row.
    m_tree->doItemsLayout();
    EXPECT_FALSE(m_tree->indexBelow(Item(kBatch + 9)).isValid());
    Apply(script(2 * kBatch, "B"));  // as far as the view has asked: all of it
    EXPECT_EQ(Count(), 2 * kBatch);
    Apply("");
    Apply(script(2 * kBatch, "C"));  // another script starts with one batch again
    EXPECT_EQ(Count(), kBatch);
}

TEST_F(CodeTreeTest, GroupEndsAndOpenGroupsRemoveStaleItems) {
    Apply("Section A\nSection B\nSection C\n");
    const QPersistentModelIndex a = Item(0);
    const QPersistentModelIndex b = Item(1);
    // An unmatched end at the root drops the rest of the old root; later entries are new.
    Apply("Section A\nSectionGroupEnd\nSection B\nSection C\n");
    EXPECT_EQ(Shape(), (QStringList{"Section A@0", "Section B@2", "Section C@3"}));
    EXPECT_EQ(Item(0), a);
    EXPECT_FALSE(b.isValid());

    // A pass that ends inside an open group leaves nothing stale at any level.
    Apply(
        "SectionGroup G\nSectionGroup H\nSection X\nSection Y\nSectionGroupEnd\nSection Z\nSectionGroupEnd\nSection "
        "Tail\n");
    Apply("SectionGroup G\nSectionGroup H\nSection X\n");
    EXPECT_EQ(Shape(), (QStringList{"SectionGroup G@0", ">SectionGroup H@1", ">>Section X@2"}));
    const QPersistentModelIndex g = Item(0);

    // An entry that takes a group's place loses the group's children.
    Apply("Section Plain\n");
    EXPECT_EQ(Shape(), QStringList{"Section Plain@0"});
    EXPECT_EQ(Item(0), g);
}

TEST_F(CodeTreeTest, ActivationSendsTheItemsLine) {
    Apply("Section A\n\n\nFunction F\n");
    m_tree->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_tree.get()));
    QSignalSpy activated(m_tree.get(), &CCodeTreeCtrl::LineActivated);

    // Keys without a current item do nothing.
    m_tree->setFocus();
    m_tree->setCurrentIndex({});
    QTest::keyClick(m_tree.get(), Qt::Key_Return);
    EXPECT_EQ(activated.count(), 0);

    // The double click is walked in the frame, where it moves the editor.
    m_tree->setCurrentIndex(Item(1));
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Enter, Qt::Key_Return})
        QTest::keyClick(m_tree.get(), key);
    EXPECT_EQ(QList<QVariantList>(activated), (QList<QVariantList>{{3}, {3}, {3}}));
    // Space is taken by the outline, not by the view's own selection handling.
    EXPECT_EQ(m_tree->currentIndex(), Item(1));
}

TEST_F(CodeTreeTest, TreeHoldsTheScanOfRealScriptsThroughRenamesAndCuts) {
    const QByteArray headers = NsisHeadersText();
    ASSERT_GT(headers.size(), 10000);
    QByteArray renamed = headers;
    renamed.replace("Function ", "Function Renamed_").replace("!macro ", "!macro M_");
    // Every name changes twice over, so replaced names are dropped from the store on the way.
    for (const QByteArray& text :
         {headers, renamed, headers, headers.left(headers.size() / 3), renamed, QByteArray()}) {
        Apply(std::string_view(text.constData(), std::size_t(text.size())));
        EXPECT_EQ(Shape(), ScanRows(text));
    }
}
