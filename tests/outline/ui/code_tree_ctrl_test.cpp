// The outline tree: item reuse across passes, nesting, activation and the worker hand-over.
#include "outline/core/outline_scanner.h"
#include "outline/ui/code_tree_ctrl.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace {

class CodeTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_tree = std::make_unique<CCodeTreeCtrl>(
            [this]() -> std::optional<QByteArray> {
                std::lock_guard lock(m_mutex);
                return m_text;
            },
            nullptr);
        m_tree->resize(300, 400);
    }

    void Apply(std::string_view text) { m_tree->ApplyItems(ScanOutline(text)); }
    void SetSource(std::optional<QByteArray> text) {
        std::lock_guard lock(m_mutex);
        m_text = std::move(text);
    }

    // Top level and children as "label@line", one level of nesting shown as "parent>child".
    QStringList Shape() const {
        QStringList shape;
        for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = m_tree->topLevelItem(i);
            shape << QStringLiteral("%1@%2").arg(item->text(0)).arg(CCodeTreeCtrl::ItemLine(item));
            for (int j = 0; j < item->childCount(); ++j) {
                const QTreeWidgetItem* child = item->child(j);
                shape << QStringLiteral("%1>%2@%3")
                             .arg(item->text(0), child->text(0))
                             .arg(CCodeTreeCtrl::ItemLine(child));
            }
        }
        return shape;
    }

    std::mutex m_mutex;
    std::optional<QByteArray> m_text;
    std::unique_ptr<CCodeTreeCtrl> m_tree;
};

}  // namespace

TEST_F(CodeTreeTest, BuildsNestingWithImagesAndRecords) {
    Apply("SectionGroup G1\nSection S1\nSectionGroupEnd\nSection S2\nFunction F\n!macro M\n!ifdef D\nPageEx license\n");
    EXPECT_EQ(Shape(),
              (QStringList{"SectionGroup G1@0", "SectionGroup G1>Section S1@1", "Section S2@3", "Function F@4",
                           "!macro M@5", "!ifdef D@6", "PageEx license@7"}));
    EXPECT_EQ(CCodeTreeCtrl::ItemRow(m_tree->topLevelItem(0)), OutlineRow::SectionGroup);
    EXPECT_EQ(CCodeTreeCtrl::ItemRow(m_tree->topLevelItem(2)), OutlineRow::Function);
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        EXPECT_FALSE(m_tree->topLevelItem(i)->icon(0).isNull()) << i;
    // Items are 20 pixels high.
    m_tree->show();
    EXPECT_EQ(m_tree->visualItemRect(m_tree->topLevelItem(1)).height(), 20);
}

namespace {
std::vector<QTreeWidgetItem*> AllItems(QTreeWidget& tree) {
    std::vector<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        items.push_back(*it);
    return items;
}
}  // namespace

TEST_F(CodeTreeTest, EditWithoutStructureChangeKeepsEveryItemUntouched) {
    Apply("Section A\n  File a.txt\nSectionGroup G\n  Section B\nSectionGroupEnd\nFunction F\n");
    const auto items = AllItems(*m_tree);
    ASSERT_EQ(items.size(), 4u);

    QSignalSpy changed(m_tree->model(), &QAbstractItemModel::dataChanged);
    QSignalSpy inserted(m_tree->model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(m_tree->model(), &QAbstractItemModel::rowsRemoved);
    // A body line changed, a comment and a line added after the last entry.
    Apply("Section A\n  File b.txt ; main\nSectionGroup G\n  Section B\nSectionGroupEnd\nFunction F\n  Call Other\n");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(inserted.count(), 0);
    EXPECT_EQ(removed.count(), 0);
    EXPECT_EQ(AllItems(*m_tree), items);
}

TEST_F(CodeTreeTest, FunctionAddedInTheMiddleInsertsOneItemAndShiftsLines) {
    Apply("Section A\nSection B\n\nFunction F\nFunction G\n");
    const auto items = AllItems(*m_tree);
    QSignalSpy inserted(m_tree->model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(m_tree->model(), &QAbstractItemModel::rowsRemoved);
    Apply("Section A\nSection B\n\nFunction New\nFunctionEnd\nFunction F\nFunction G\n");
    EXPECT_EQ(Shape(), (QStringList{"Section A@0", "Section B@1", "Function New@3", "Function F@5", "Function G@6"}));
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 4);
    EXPECT_EQ(inserted[0][2].toInt(), 4);
    EXPECT_EQ(removed.count(), 0);
    const auto after = AllItems(*m_tree);
    // Items are reused in document order; the one item more comes at the end.
    EXPECT_TRUE(std::equal(items.begin(), items.end(), after.begin()));
}

TEST_F(CodeTreeTest, ExpansionAndScrollPositionSurviveAPass) {
    std::string text = "SectionGroup Outer\nSection In1\nSection In2\nSectionGroupEnd\n";
    for (int i = 0; i < 200; ++i)
        text += "Function F" + std::to_string(i) + "\n";
    Apply(text);
    m_tree->show();
    QTreeWidgetItem* group = m_tree->topLevelItem(0);
    m_tree->expandItem(group);
    m_tree->verticalScrollBar()->setValue(50);
    const int scrolled = m_tree->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);

    // Lines added above every entry: all lines shift, the structure does not.
    Apply("!include LogicLib.nsh\n\n" + text);
    EXPECT_EQ(m_tree->topLevelItem(0), group);
    EXPECT_TRUE(group->isExpanded());
    EXPECT_EQ(CCodeTreeCtrl::ItemLine(group->child(1)), 4);
    EXPECT_EQ(m_tree->verticalScrollBar()->value(), scrolled);
}

TEST_F(CodeTreeTest, GroupEndsAndOpenGroupsRemoveStaleItems) {
    Apply("Section A\nSection B\nSection C\n");
    QTreeWidgetItem* a = m_tree->topLevelItem(0);
    constexpr int kMark = Qt::UserRole + 10;
    m_tree->topLevelItem(1)->setData(0, kMark, true);
    // An unmatched end at the root drops the rest of the old root; later entries are new.
    Apply("Section A\nSectionGroupEnd\nSection B\nSection C\n");
    EXPECT_EQ(Shape(), (QStringList{"Section A@0", "Section B@2", "Section C@3"}));
    EXPECT_EQ(m_tree->topLevelItem(0), a);
    EXPECT_FALSE(m_tree->topLevelItem(1)->data(0, kMark).isValid());

    // A pass that ends inside an open group leaves nothing stale at any level.
    Apply(
        "SectionGroup G\nSectionGroup H\nSection X\nSection Y\nSectionGroupEnd\nSection Z\nSectionGroupEnd\nSection "
        "Tail\n");
    ASSERT_EQ(m_tree->topLevelItemCount(), 2);
    Apply("SectionGroup G\nSectionGroup H\nSection X\n");
    ASSERT_EQ(m_tree->topLevelItemCount(), 1);
    QTreeWidgetItem* g = m_tree->topLevelItem(0);
    ASSERT_EQ(g->childCount(), 1);
    ASSERT_EQ(g->child(0)->childCount(), 1);
    EXPECT_EQ(g->child(0)->child(0)->text(0), "Section X");

    // An entry that takes a group's place loses the group's children.
    Apply("Section Plain\n");
    EXPECT_EQ(Shape(), QStringList{"Section Plain@0"});
    EXPECT_EQ(m_tree->topLevelItem(0), g);
}

TEST_F(CodeTreeTest, ActivationSendsTheItemsLine) {
    Apply("Section A\n\n\nFunction F\n");
    m_tree->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_tree.get()));
    QSignalSpy activated(m_tree.get(), &CCodeTreeCtrl::LineActivated);

    // Keys without a current item do nothing.
    m_tree->setFocus();
    m_tree->setCurrentItem(nullptr);
    QTest::keyClick(m_tree.get(), Qt::Key_Return);
    EXPECT_EQ(activated.count(), 0);

    // Return and the double click are walked in the frame, where they move the editor.
    m_tree->setCurrentItem(m_tree->topLevelItem(1));
    QTest::keyClick(m_tree.get(), Qt::Key_Space);
    QTest::keyClick(m_tree.get(), Qt::Key_Enter);
    ASSERT_EQ(activated.count(), 2);
    EXPECT_EQ(activated[0][0].toInt(), 3);
    EXPECT_EQ(activated[1][0].toInt(), 3);
    // Space is taken by the outline, not by the view's own selection handling.
    EXPECT_EQ(m_tree->currentItem(), m_tree->topLevelItem(1));
}

TEST_F(CodeTreeTest, WorkerFillsTheTreeAndEmptiesItWithoutADocument) {
    SetSource(QByteArray("Section A\nFunction F\n"));
    m_tree->Wake();
    // The text is copied at the wake-up: a later change of the source does not reach the pass.
    SetSource(QByteArray("Section Changed\n"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_tree->topLevelItemCount() == 2; }, 5000));
    EXPECT_EQ(m_tree->topLevelItem(0)->text(0), "Section A");

    SetSource(std::nullopt);
    m_tree->Wake();
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_tree->topLevelItemCount() == 0; }, 5000));
}
