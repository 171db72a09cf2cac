// CCodeTreeCtrl: the outline tree of the active script, kept up to date by its worker.
#pragma once

#include "outline/core/outline_item.h"
#include "outline/core/outline_piece.h"

#include <QTreeView>

#include <functional>
#include <memory>

class COutlineModel;
class COutlineThread;

class CCodeTreeCtrl : public QTreeView {
    Q_OBJECT
public:
    // Called on the UI thread for each piece a pass reads: the active
    // script's text (UTF-8) from byte `from`, 0 beginning a pass.
    using TextSource = std::function<OutlinePiece(qint64 from)>;

    CCodeTreeCtrl(TextSource activeText, QWidget* parent);
    ~CCodeTreeCtrl() override;

    // Lets the worker scan the text; the tree follows when the pass ends.
    // Wake-ups during a pass collapse into one more pass; a pass whose text
    // changes midway is dropped, so wake again after a change.
    void Wake();

    // Brings the tree up to date with a scan, reusing its items in order.
    void ApplyItems(const OutlineItems& items);

    // The 0-based document line and the keyword row an item stands for.
    static int ItemLine(const QModelIndex& item);
    static OutlineRow ItemRow(const QModelIndex& item);

Q_SIGNALS:
    // Double click, Enter or Space on an item: the editor should show this line.
    void LineActivated(int line);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

private:
    TextSource m_activeText;
    COutlineModel* m_model;
    std::unique_ptr<COutlineThread> m_worker;
};
