// CommandRegistry: the one place that knows which handler runs each command id.
#include "app/core/command_registry.h"

#include <QDebug>

void CommandRegistry::Register(int id, Handler handler) {
    Q_ASSERT_X(!Has(id), "CommandRegistry::Register", "a command id has one owner");
    m_handlers[id] = std::move(handler);
}

void CommandRegistry::RegisterRange(int first, int last, Handler handler) {
    Q_ASSERT_X(first <= last, "CommandRegistry::RegisterRange", "an empty range");
    m_ranges.push_back({{first, last}, std::move(handler)});
}

void CommandRegistry::RegisterEnabledRule(int id, EnabledRule rule) { m_rules[id] = std::move(rule); }

void CommandRegistry::RegisterCheckedRule(int id, CheckedRule rule) { m_checkedRules[id] = std::move(rule); }

void CommandRegistry::RegisterTextRule(int id, TextRule rule) { m_textRules[id] = std::move(rule); }

const CommandRegistry::Handler* CommandRegistry::Find(int id) const {
    if (const auto it = m_handlers.find(id); it != m_handlers.end())
        return &it->second;
    for (const auto& [range, handler] : m_ranges) {
        if (id >= range.first && id <= range.second)
            return &handler;
    }
    return nullptr;
}

bool CommandRegistry::Has(int id) const { return Find(id) != nullptr; }

bool CommandRegistry::Dispatch(int id) const {
    const Handler* handler = Find(id);
    if (!handler) {
        qWarning("Command %d has no handler", id);
        Q_ASSERT_X(false, "CommandRegistry::Dispatch", "command id without a handler");
        return false;
    }
    (*handler)(id);
    return true;
}

namespace {
template <class Result, class Rules>
std::vector<std::pair<int, Result>> Evaluate(const Rules& rules) {
    std::vector<std::pair<int, Result>> states;
    states.reserve(rules.size());
    for (const auto& [id, rule] : rules)
        states.emplace_back(id, rule());
    return states;
}
}  // namespace

std::vector<std::pair<int, bool>> CommandRegistry::EvaluateEnabledRules() const { return Evaluate<bool>(m_rules); }

std::vector<std::pair<int, bool>> CommandRegistry::EvaluateCheckedRules() const {
    return Evaluate<bool>(m_checkedRules);
}

std::vector<std::pair<int, QString>> CommandRegistry::EvaluateTextRules() const {
    return Evaluate<QString>(m_textRules);
}
