// NavigationController: go to a symbol's definition and list its uses across the include tree (F12, Shift+F12, Ctrl+click).
#pragma once

#include "nsis/core/symbol_index.h"
#include "nsis/core/symbol_rename.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class CScrivoView;
class CSymbolUsesList;
class CommandRegistry;
class Configurator;
class ICompileFrame;
class ILogPane;
class QWidget;

class NavigationController : public QObject {
    Q_OBJECT
public:
    // The list goes into the bottom pane below `above`; commandsChanged
    // lets the frame re-read the enabled rules once a new index is ready.
    NavigationController(CommandRegistry& registry, ICompileFrame& frame, ILogPane& logPane,
                         const Configurator& config, QWidget* above, std::function<void()> commandsChanged,
                         QObject* parent);
    ~NavigationController() override;

    CSymbolUsesList* List() const { return m_list; }
    // A newly active document is indexed in the background and answers Ctrl+click.
    void OnActiveViewChanged();

    void GoToDefinition();
    void FindReferences();
    // Asks for the new name in a dialog; its changes go into the documents, one undo step each, unsaved.
    void RenameSymbol();
    // The tip for a user symbol at a byte position of the active view: kind, file:line, the definition and its comments.
    QString SymbolTip(long position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Inputs;
    Inputs Gather() const;
    static std::shared_ptr<const NsisSymbolIndex> BuildIndex(const Inputs& inputs, const NsisSymbolIndex* previous);
    std::shared_ptr<const NsisSymbolIndex> IndexNow();
    void StartBackgroundBuild();
    void TakeIndex(std::shared_ptr<const NsisSymbolIndex> index, quint64 generation);
    bool CaretOnKnownSymbol() const;
    std::optional<NsisSymbolUse> UseAtCaret(const NsisSymbolIndex& index) const;
    void OpenAt(const NsisPlace& place);
    void ShowUses(const QString& title, const std::vector<NsisSymbolUse>& uses);
    // A line of a file as it is now, open documents included.
    QString LineOf(const QString& file, int line, bool trimmed) const;
    std::optional<QString> TextOf(const QString& file) const;
    void ShowTip(CScrivoView* view, long position);
    void ApplyRename(const RenamePlan& plan);

    ICompileFrame& m_frame;
    ILogPane& m_logPane;
    const Configurator& m_config;
    CSymbolUsesList* m_list;
    std::function<void()> m_commandsChanged;
    std::shared_ptr<const NsisSymbolIndex> m_index;
    quint64 m_generation = 0;       // of the last inputs gathered
    quint64 m_indexGeneration = 0;  // of m_index
    bool m_building = false;
    bool m_buildAgain = false;
    QPointer<QWidget> m_clickTarget;  // the active editor's viewport, for Ctrl+click
    QList<QPointer<CScrivoView>> m_hovered;  // views whose mouse rests show symbol tips
};
