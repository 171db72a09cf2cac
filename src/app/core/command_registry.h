// CommandRegistry: the one place that knows which handler runs each command id.
#pragma once

#include <QString>

#include <functional>
#include <map>
#include <utility>
#include <vector>

// Each subsystem registers the commands it owns; the menus, the tool bar, the
// tab menu, the keys and the start page all dispatch through here, so a new
// command is one Register call instead of another case in the frame.
class CommandRegistry {
public:
    using Handler = std::function<void(int id)>;
    // Whether the command can run now; applied on top of the frame's own rules.
    using EnabledRule = std::function<bool()>;
    // Whether the item carries its check mark now.
    using CheckedRule = std::function<bool()>;
    // The item's menu text now, for items whose text follows the program's state.
    using TextRule = std::function<QString()>;

    void Register(int id, Handler handler);
    // One handler for a run of ids (recent files, compressors); it gets the id.
    void RegisterRange(int first, int last, Handler handler);
    void RegisterEnabledRule(int id, EnabledRule rule);
    void RegisterCheckedRule(int id, CheckedRule rule);
    void RegisterTextRule(int id, TextRule rule);

    bool Has(int id) const;
    // Runs the command's handler. An id without one is a programming fault:
    // it stops a debug build and is logged in a release build, never ignored.
    bool Dispatch(int id) const;

    // The rules that subsystems registered, evaluated now: (id, enabled).
    std::vector<std::pair<int, bool>> EvaluateEnabledRules() const;
    std::vector<std::pair<int, bool>> EvaluateCheckedRules() const;
    std::vector<std::pair<int, QString>> EvaluateTextRules() const;

private:
    const Handler* Find(int id) const;

    std::map<int, Handler> m_handlers;
    std::vector<std::pair<std::pair<int, int>, Handler>> m_ranges;
    std::map<int, EnabledRule> m_rules;
    std::map<int, CheckedRule> m_checkedRules;
    std::map<int, TextRule> m_textRules;
};
