// The symbol index's include search: the compiler's own, so that navigation finds the files makensis reads.
#include "compiler/core/include_resolver.h"

#include "compiler/core/source_index.h"

#include <QDir>
#include <QFileInfo>

IncludeResolver MakeIncludeResolver(const QString& nsisDir) {
    // One compiler search per compile folder, built for its include search alone:
    // a script path that names no file reads nothing.
    auto searches = std::make_shared<QHash<QString, std::shared_ptr<const CSourceIndex>>>();
    return [searches, nsisDir](const QString& includeText, const IncludeContext& context) -> std::optional<QString> {
        const QString compileFolder = QFileInfo(context.rootFile).absolutePath();
        std::shared_ptr<const CSourceIndex>& search = (*searches)[compileFolder];
        if (!search)
            search = std::make_shared<const CSourceIndex>(QString(), compileFolder, nsisDir);
        if (const QString found = search->ResolveInclude(includeText, context.fromFile); !found.isEmpty())
            return found;
        // The !addincludedir folders the index has seen; the compiler's search learns them only while it reads.
        QString name = includeText;
        name.replace(u'\\', u'/');
        for (const QString& folder : context.includeDirs) {
            const QString candidate = QDir::cleanPath(QDir(folder).absoluteFilePath(name));
            if (QFileInfo(candidate).isFile())
                return candidate;
        }
        return std::nullopt;
    };
}
