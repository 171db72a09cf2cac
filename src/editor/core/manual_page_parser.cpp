// Reading the sections of one page of the NSIS manual (HTML or a plug-in's plain-text readme).
#include "editor/core/manual_page_parser.h"

#include <QRegularExpression>
#include <QSet>

namespace {

using RE = QRegularExpression;
constexpr RE::PatternOptions kHtmlOptions = RE::DotMatchesEverythingOption | RE::CaseInsensitiveOption;
constexpr qsizetype kAnchorLookBack = 160;
constexpr qsizetype kMaxDescription = 240;

struct Heading {
    qsizetype start = 0;  // of the heading tag
    qsizetype end = 0;    // after the closing tag
    int level = 0;
    QString anchor;
    QString title;  // without its section number
};

QList<Heading> Headings(const QString& html) {
    static const RE heading(QStringLiteral(R"re(<h([1-6])[^>]*>(.*?)</h\1>)re"), kHtmlOptions);
    static const RE inner(QStringLiteral(R"re(<a\s+name="([^"]*)")re"), kHtmlOptions);
    static const RE before(QStringLiteral(R"re(<a\s+name="([^"]*)"\s*>\s*</a>\s*$)re"), kHtmlOptions);
    static const RE number(QStringLiteral(R"re(^(?:[A-Z]\.)?[\d.]+\s+)re"));
    QList<Heading> headings;
    for (auto it = heading.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        Heading h{match.capturedStart(), match.capturedEnd(), match.captured(1).toInt(), {}, {}};
        if (const auto anchor = inner.match(match.captured(2)); anchor.hasMatch()) {
            h.anchor = anchor.captured(1);
        } else {
            const qsizetype from = std::max<qsizetype>(0, h.start - kAnchorLookBack);
            if (const auto anchorBefore = before.match(html.mid(from, h.start - from)); anchorBefore.hasMatch())
                h.anchor = anchorBefore.captured(1);
        }
        h.title = HtmlToPlain(match.captured(2)).remove(number);
        headings.append(h);
    }
    return headings;
}

ManualEntryKind KindOf(const QString& name, const QString& chapterAnchor) {
    if (name.startsWith(u'!'))
        return ManualEntryKind::CompileTime;
    if (name.startsWith(u'.') || name.startsWith(QLatin1String("un.")))
        return ManualEntryKind::Callback;
    if (name.startsWith(QLatin1String("${")))
        return ManualEntryKind::HeaderMacro;
    if (name.contains(QLatin1String("::")))
        return ManualEntryKind::PluginFunction;
    if (chapterAnchor == QLatin1String("instattribs"))
        return ManualEntryKind::Attribute;
    return ManualEntryKind::Command;
}

// The keyword a heading documents, or "" for a heading of prose.
// The chapters of the scripting reference and of the compile-time commands.
bool IsReferenceChapter(const QString& chapterAnchor) {
    return chapterAnchor == QLatin1String("scriptref") || chapterAnchor == QLatin1String("comptime");
}

// The keyword a heading documents, or "" for a heading of prose; chapter is
// the anchor of the page's top heading.
QString KeywordOf(const QString& file, const QString& chapter, const Heading& heading, const QString& body) {
    static const RE keyword(QStringLiteral(R"re(^(?:[!.]?[A-Za-z_][\w.]*|\$\{[\w.*]+\})$)re"));
    const QString& title = heading.title;
    if (!keyword.match(title).hasMatch())
        return {};
    const qsizetype slash = file.indexOf(u'/');
    if (slash > 0) {
        const QString plugin = file.first(slash) + QLatin1String("::") + title;
        if (body.contains(plugin))
            return plugin;
    }
    const QString macro = QLatin1String("${") + title + u'}';
    if (!title.startsWith(u'$') && body.contains(macro))
        return macro;
    // In the reference chapters an entry is a fourth-level heading, or a third-
    // level one that starts with a usage, has a prefixed name or is its own anchor
    // (unlike the prose headings "Ordering" and "Callbacks").
    const bool prefixed = title.startsWith(u'!') || title.startsWith(u'.') || title.startsWith(QLatin1String("un."))
        || title.startsWith(QLatin1String("${"));
    const bool entry = heading.level >= 4 || prefixed || heading.anchor.compare(title, Qt::CaseInsensitive) == 0
        || body.trimmed().startsWith(QLatin1String("<pre>"), Qt::CaseInsensitive);
    if (slash < 0 && heading.level >= 3 && IsReferenceChapter(chapter) && entry)
        return title;
    return {};
}

struct Block {
    qsizetype start = 0;
    qsizetype end = 0;
    QString html;
};

QList<Block> Blocks(const QString& html, const RE& pattern) {
    QList<Block> blocks;
    for (auto it = pattern.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        blocks.append({match.capturedStart(), match.capturedEnd(), match.captured(1)});
    }
    return blocks;
}

QList<Block> Pres(const QString& body) {
    static const RE pre(QStringLiteral(R"re(<pre[^>]*>(.*?)</pre>)re"), kHtmlOptions);
    return Blocks(body, pre);
}

// Paragraphs and list items; a list item may lack its closing tag.
QList<Block> Paragraphs(const QString& body) {
    static const RE paragraph(QStringLiteral(R"re(<(?:p|li)>(.*?)(?=</p>|</li>|<li>|</ul>|<p>|<pre|$))re"),
                              kHtmlOptions);
    return Blocks(body, paragraph);
}

QString FirstLine(const QString& text) { return text.section(u'\n', 0, 0).trimmed(); }

QString Shorten(QString text) {
    text = text.simplified();
    if (text.size() > kMaxDescription)
        text = text.first(kMaxDescription - 1) + QChar(0x2026);
    return text;
}

// The names in a usage line after the keyword: switches without their
// values ("/oname"), placeholders as written.
QStringList UsageNames(const QString& usageLine) {
    QString line = usageLine.section(u' ', 1);
    // A header macro's placeholders are written "[Path]"; elsewhere brackets mark what may be left out.
    if (!usageLine.startsWith(QLatin1String("${"))) {
        for (QChar c : {u'[', u']', u'(', u')'})
            line.replace(c, u' ');
    }
    QStringList names;
    for (const QString& token : line.split(u' ', Qt::SkipEmptyParts)) {
        // A switch's values ("/CHARSET=ACP|OEM") are not parameters of their own.
        const QStringList alternatives =
            token.startsWith(u'/') ? QStringList{token.section(u'=', 0, 0)} : token.split(u'|', Qt::SkipEmptyParts);
        for (const QString& name : alternatives) {
            if (!name.startsWith(QLatin1String("...")) && !names.contains(name))
                names.append(name);
        }
    }
    return names;
}

QString SentenceMentioning(const QString& plainBody, const QString& name) {
    const RE mention(QStringLiteral(R"re((?<![\w/])%1(?![\w]))re").arg(RE::escape(name)), RE::CaseInsensitiveOption);
    static const RE sentenceEnd(QStringLiteral(R"re([.!?](?:\s|$))re"));
    const auto match = mention.match(plainBody);
    if (!match.hasMatch())
        return {};
    qsizetype start = match.capturedStart();
    while (start > 0 && !sentenceEnd.match(plainBody.mid(start - 2, 2)).hasMatch())
        --start;
    auto end = sentenceEnd.match(plainBody, match.capturedEnd());
    const qsizetype stop = end.hasMatch() ? end.capturedStart() + 1 : plainBody.size();
    return Shorten(plainBody.mid(start, stop - start));
}

void AddParameter(QList<ManualParameter>& parameters, const QString& name, const QString& description) {
    for (ManualParameter& known : parameters) {
        if (known.name == name) {
            if (known.description.isEmpty())
                known.description = description;
            return;
        }
    }
    parameters.append({name, description});
}

// "<li><em>MB_OK</em> - Display with an OK button".
void AddListedValues(QList<ManualParameter>& parameters, const QString& body) {
    static const RE listed(
        QStringLiteral(R"re(<li>\s*<(em|i|b|code)>([^<]+)</\1>\s*(?:-|:|&ndash;)\s*(.*?)(?=</li>|<li>|</ul>|<p>|$))re"),
        kHtmlOptions);
    for (auto it = listed.globalMatch(body); it.hasNext();) {
        const auto match = it.next();
        AddParameter(parameters, HtmlToPlain(match.captured(2)), Shorten(HtmlToPlain(match.captured(3))));
    }
}

// '"[Option]"   ; option name' lines of the table below a header macro's syntax.
bool AddTableRows(QList<ManualParameter>& parameters, const QString& preText) {
    static const RE row(QStringLiteral(R"re(^(\S+)\s+;\s*(\S.*)$)re"));
    bool any = false;
    for (const QString& line : preText.split(u'\n')) {
        const auto match = row.match(line.trimmed());
        if (match.hasMatch()) {
            AddParameter(parameters, match.captured(1), match.captured(2).trimmed());
            any = true;
        }
    }
    return any;
}

void ReadSectionBody(ManualSection& section, const QString& body) {
    const QList<Block> pres = Pres(body);
    int usagePre = -1;
    if (body.trimmed().startsWith(QLatin1String("<pre"), Qt::CaseInsensitive) && !pres.isEmpty()
        && !section.name.contains(QLatin1String("::")) && !section.name.startsWith(QLatin1String("${"))) {
        usagePre = 0;
        QStringList lines;
        for (const QString& line : HtmlToPlain(pres[0].html, true).split(u'\n', Qt::SkipEmptyParts))
            lines << section.name + u' ' + line.trimmed();
        section.usage = lines.join(u'\n');
    } else {
        static const RE code(QStringLiteral(R"re(<(?:pre|code)[^>]*>(.*?)</(?:pre|code)>)re"), kHtmlOptions);
        for (const Block& block : Blocks(body, code)) {
            const QString text = HtmlToPlain(block.html, true).trimmed();
            if (text.startsWith(section.name, Qt::CaseInsensitive)) {
                section.usage = FirstLine(text);
                for (int i = 0; i < pres.size(); ++i) {
                    if (pres[i].start == block.start)
                        usagePre = i;
                }
                break;
            }
        }
    }

    // Switches are described in the prose, not in the usage itself.
    QString prose = body;
    if (usagePre >= 0)
        prose.remove(pres[usagePre].start, pres[usagePre].end - pres[usagePre].start);
    QStringList proseBlocks;
    for (const Block& block : Paragraphs(prose))
        proseBlocks << HtmlToPlain(block.html);
    for (const QString& name : UsageNames(FirstLine(section.usage))) {
        QString description;
        for (qsizetype i = 0; i < proseBlocks.size() && description.isEmpty() && name.startsWith(u'/'); ++i)
            description = SentenceMentioning(proseBlocks[i], name);
        AddParameter(section.parameters, name, description);
    }
    AddListedValues(section.parameters, body);
    int tablePre = -1;
    if (usagePre >= 0 && usagePre + 1 < pres.size()
        && AddTableRows(section.parameters, HtmlToPlain(pres[usagePre + 1].html, true)))
        tablePre = usagePre + 1;

    const QString usageLine = FirstLine(section.usage);
    qsizetype exampleFrom = -1;
    for (const Block& block : Paragraphs(body)) {
        const QString text = HtmlToPlain(block.html);
        if (exampleFrom < 0 && text.startsWith(QLatin1String("Example")))
            exampleFrom = block.end;
        if (section.firstParagraph.isEmpty() && !text.isEmpty() && !text.endsWith(u':') && text != usageLine)
            section.firstParagraph = text;
    }
    for (int i = 0; i < pres.size(); ++i) {
        if (i == usagePre || i == tablePre || pres[i].start < exampleFrom)
            continue;
        section.example = HtmlToPlain(pres[i].html, true).trimmed();
        break;
    }
}

// "<p><em>$PROGRAMFILES</em>, <em>$PROGRAMFILES32</em></p>" and the paragraph after it.
void AddVariables(QList<ManualSection>& sections, const QString& file, const Heading& heading, const QString& body) {
    static const RE marker(QStringLiteral(R"re(<p>\s*((?:<em>[^<]*</em>[\s,]*)+)</p>)re"), kHtmlOptions);
    static const RE name(QStringLiteral(R"re(<em>([^<]*)</em>)re"), kHtmlOptions);
    static const RE paragraph(QStringLiteral(R"re(<p>(.*?)</p>)re"), kHtmlOptions);
    const ManualEntryKind kind =
        heading.anchor == QLatin1String("varother") ? ManualEntryKind::Variable : ManualEntryKind::Constant;
    for (auto it = marker.globalMatch(body); it.hasNext();) {
        const auto match = it.next();
        const auto description = paragraph.match(body, match.capturedEnd());
        const QString usage = HtmlToPlain(match.captured(1));
        QStringList names;
        for (auto it = name.globalMatch(match.captured(1)); it.hasNext();)
            names << HtmlToPlain(it.next().captured(1)).split(u',', Qt::SkipEmptyParts);
        for (const QString& variable : names) {
            ManualSection section;
            section.name = variable.trimmed();
            if (!section.name.startsWith(u'$'))
                continue;
            section.kind = kind;
            section.file = file;
            section.anchor = heading.anchor;
            section.usage = usage;
            // The next paragraph describes these names unless it names others.
            if (description.hasMatch() && !description.captured(1).trimmed().startsWith(QLatin1String("<em>")))
                section.firstParagraph = HtmlToPlain(description.captured(1));
            sections.append(section);
        }
    }
}

bool IsVariableChapter(const QString& anchor) {
    return anchor == QLatin1String("varother") || anchor == QLatin1String("varconstant")
        || anchor == QLatin1String("varstrings");
}

}  // namespace

QString HtmlToPlain(const QString& html, bool keepLines) {
    static const RE tag(QStringLiteral(R"re(<[^>]*>)re"));
    static const RE blockTag(QStringLiteral(R"re(</?(?:p|li|ul|ol|br|div|h\d|tr|td|dt|dd)\b[^>]*>)re"),
                             RE::CaseInsensitiveOption);
    static const RE entity(QStringLiteral(R"re(&(#x[0-9a-fA-F]+|#\d+|[a-zA-Z]+);)re"));
    QString text = html;
    text.replace(blockTag, QStringLiteral(" "));  // "</li><li>" must not join two sentences
    text.remove(tag);
    QString decoded;
    decoded.reserve(text.size());
    qsizetype last = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        decoded += QStringView(text).sliced(last, match.capturedStart() - last);
        const QString name = match.captured(1);
        char32_t code = 0;
        if (name.startsWith(QLatin1String("#x"), Qt::CaseInsensitive))
            code = name.mid(2).toUInt(nullptr, 16);
        else if (name.startsWith(u'#'))
            code = name.mid(1).toUInt();
        else
            code = name == QLatin1String("quot") ? U'"'
                : name == QLatin1String("amp")   ? U'&'
                : name == QLatin1String("lt")    ? U'<'
                : name == QLatin1String("gt")    ? U'>'
                : name == QLatin1String("apos")  ? U'\''
                : name == QLatin1String("nbsp")  ? U' '
                : name == QLatin1String("ndash") ? U'\u2013'
                : name == QLatin1String("mdash") ? U'\u2014'
                                                 : 0;
        if (code == 0 || code > 0x10FFFF)
            decoded += match.captured(0);
        else
            decoded += QString::fromUcs4(&code, 1);
        last = match.capturedEnd();
    }
    decoded += QStringView(text).sliced(last);
    if (keepLines) {
        decoded.replace(u'\t', QLatin1String("    "));
        return decoded;
    }
    return decoded.simplified();
}

QList<ManualSection> ParseManualPage(const QString& file, const QString& html) {
    QList<ManualSection> sections;
    QSet<QString> seen;
    const QList<Heading> headings = Headings(html);
    QString chapter;
    QString chapterAnchor;
    for (qsizetype i = 0; i < headings.size(); ++i) {
        const Heading& heading = headings[i];
        if (heading.level == 1)
            chapter = heading.anchor;
        if (heading.level <= 2)
            chapterAnchor = heading.anchor;
        const qsizetype bodyEnd = i + 1 < headings.size() ? headings[i + 1].start : html.size();
        const QString body = html.mid(heading.end, bodyEnd - heading.end);
        if (!file.contains(u'/') && IsVariableChapter(heading.anchor)) {
            AddVariables(sections, file, heading, body);
            continue;
        }
        const QString name = KeywordOf(file, chapter, heading, body);
        if (name.isEmpty() || seen.contains(name.toLower()))
            continue;
        seen.insert(name.toLower());
        ManualSection section;
        section.name = name;
        section.kind = KindOf(name, chapterAnchor);
        section.file = file;
        section.anchor = heading.anchor;
        ReadSectionBody(section, body);
        sections.append(section);
    }
    return sections;
}

QList<ManualSection> ParseManualTextPage(const QString& file, const QString& text) {
    static const RE function(QStringLiteral(R"re(^\s*([A-Za-z_]\w*::[A-Za-z_]\w*)\b(.*)$)re"));
    static const RE underline(QStringLiteral(R"re(^\s*[-=]{3,}\s*$)re"));
    QString opening;
    const QStringList paragraphs = QString(text)
                                       .replace(QLatin1String("\r\n"), QLatin1String("\n"))
                                       .split(RE(QStringLiteral(R"re(\n\s*\n)re")), Qt::SkipEmptyParts);
    for (const QString& paragraph : paragraphs) {
        QStringList lines = paragraph.trimmed().split(u'\n');
        // A title and its underline may head the paragraph.
        if (lines.size() >= 2 && underline.match(lines[1]).hasMatch())
            lines.remove(0, 2);
        if (lines.isEmpty())
            continue;
        opening = lines.join(u' ').simplified();
        break;
    }
    QList<ManualSection> sections;
    QSet<QString> seen;
    for (const QString& line : text.split(u'\n')) {
        const auto match = function.match(line);
        if (!match.hasMatch() || seen.contains(match.captured(1).toLower()))
            continue;
        seen.insert(match.captured(1).toLower());
        ManualSection section;
        section.name = match.captured(1);
        section.kind = ManualEntryKind::PluginFunction;
        section.file = file;
        section.usage = line.trimmed();
        for (const QString& name : UsageNames(section.usage))
            AddParameter(section.parameters, name, {});
        section.firstParagraph = opening;
        sections.append(section);
    }
    return sections;
}
