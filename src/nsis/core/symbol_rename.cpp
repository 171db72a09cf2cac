// Renaming a symbol everywhere the index sees it: the name checked, the edits planned, installation files refused.
#include "nsis/core/symbol_rename.h"

#include <QDir>

#include <algorithm>

namespace {

bool Has(const QString& name, QStringView forbidden) {
    for (QChar c : name) {
        if (c.isSpace() || forbidden.contains(c))
            return true;
    }
    return false;
}

bool IsUnder(const QString& file, const QString& folder) {
    if (folder.isEmpty())
        return false;
    const QString root = QDir::cleanPath(folder) + u'/';
    return file.startsWith(root);
}

}  // namespace

bool IsValidSymbolName(NsisSymbolKind kind, const QString& name) {
    if (name.isEmpty() || Has(name, u"\"'`;#"))
        return false;
    switch (kind) {
    case NsisSymbolKind::Variable:
        return std::all_of(name.begin(), name.end(), [](QChar c) { return c.isLetterOrNumber() || c == u'_'; });
    case NsisSymbolKind::Define: return !Has(name, u"${}");
    case NsisSymbolKind::LangString: return !Has(name, u"$()");
    case NsisSymbolKind::Label:
        return !Has(name, u":$") && !name.front().isDigit() && name.front() != u'-' && name.front() != u'+'
            && name.front() != u'!';
    case NsisSymbolKind::Function:
    case NsisSymbolKind::Macro:
    case NsisSymbolKind::Section: return !name.startsWith(u'$') && !name.startsWith(u'/');
    }
    return false;
}

RenamePlan PlanRename(const NsisSymbolIndex& index, const NsisSymbolUse& use, const QString& newName,
                      const QString& nsisDir, const std::function<QString(const QString& file, int line)>& lineOf) {
    RenamePlan plan;
    if (!IsValidSymbolName(use.kind, newName)) {
        plan.error = QStringLiteral("“%1”不是有效的名称").arg(newName);
        return plan;
    }
    const NsisSymbolId id = index.IdOf(use);
    NsisSymbolId taken = id;
    taken.key = NsisSymbolKey(newName);
    if (taken.key != id.key && !index.Definitions(taken).empty()) {
        plan.error = QStringLiteral("名称“%1”已被使用").arg(newName);
        return plan;
    }
    const std::vector<NsisSymbolUse> uses = index.References(id);
    for (const NsisSymbolUse& u : uses) {
        if (u.place.file.isEmpty()) {
            plan.error = QStringLiteral("“%1”是设置中的符号，不能在脚本中重命名").arg(use.name);
            return plan;
        }
        if (IsUnder(u.place.file, nsisDir)) {
            plan.error = QStringLiteral("“%1”出现在 NSIS 安装的头文件中（%2），这些文件不会被修改")
                             .arg(use.name, QDir::toNativeSeparators(u.place.file));
            return plan;
        }
    }
    // Several uses on one line: each edit's "after" carries those before it, right to left.
    for (std::size_t i = 0; i < uses.size();) {
        std::size_t end = i;
        while (end < uses.size() && uses[end].place.file == uses[i].place.file
               && uses[end].place.line == uses[i].place.line)
            ++end;
        const QString before = lineOf(uses[i].place.file, uses[i].place.line);
        std::vector<NsisPlace> onLine;
        for (std::size_t k = i; k < end; ++k)
            onLine.push_back(uses[k].place);
        std::sort(onLine.begin(), onLine.end(), [](const NsisPlace& a, const NsisPlace& b) { return a.column > b.column; });
        QString after = before;
        for (const NsisPlace& place : onLine)
            after.replace(place.column, place.length, newName);
        for (std::size_t k = i; k < end; ++k)
            plan.edits.push_back({uses[k].place, before, after});
        i = end;
    }
    return plan;
}
