// The NSIS manual's index: read from the installed nsis-doc manual and from small samples, cached, and parameter help.
#include "editor/core/command_help_reader.h"
#include "editor/core/manual_cache.h"
#include "editor/core/manual_page_parser.h"
#include "editor/core/manual_reader.h"
#include "editor/core/manual_tips.h"
#include "editor/core/parameter_help.h"
#include "support/nsis_dir.h"
#include "support/test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

void PrintTo(const ManualParameter& parameter, std::ostream* out) {
    *out << '{' << parameter.name.toStdString() << ", " << parameter.description.toStdString() << '}';
}

namespace {

// The manual's folder as the installed makensis names it.
QString InstalledManual() { return DocFolderFromHdrInfo(HdrInfo()); }

const ManualIndex& Installed() {
    static const ManualIndex index = BuildManualIndex(InstalledManual());
    return index;
}

QStringList Names(const ManualSection& section) {
    QStringList names;
    for (const ManualParameter& parameter : section.parameters)
        names << parameter.name;
    return names;
}

}  // namespace

TEST(ManualIndex, InstalledManualDocumentsCommandsPluginsAndHeaders) {
    ASSERT_TRUE(Installed().IsAvailable()) << "nsis-doc is not installed under " << InstalledManual().toStdString();
    const ManualSection* file = Installed().Find(QStringLiteral("file"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->anchor, u"file");
    EXPECT_TRUE(file->usage.startsWith(u"File [/nonfatal]"));
    for (const char* name : {"/r", "/x", "/oname"})
        EXPECT_TRUE(Names(*file).contains(QLatin1String(name))) << name;
    EXPECT_TRUE(file->example.contains(u"File /r /x CVS"));

    const ManualSection* messageBox = Installed().Find(QStringLiteral("MessageBox"));
    ASSERT_NE(messageBox, nullptr);
    for (const char* flag : {"MB_OK", "MB_YESNO", "MB_ICONSTOP", "MB_TOPMOST", "IDYES", "/SD"})
        EXPECT_TRUE(Names(*messageBox).contains(QLatin1String(flag))) << flag;

    const std::tuple<const char*, ManualEntryKind, const char*, const char*> found[] = {
        {"nsDialogs::Create", ManualEntryKind::PluginFunction, "nsDialogs/Readme.html", "ref-create"},
        {"nsExec::ExecToLog", ManualEntryKind::PluginFunction, "nsExec/nsExec.txt", ""},
        {"${GetParameters}", ManualEntryKind::HeaderMacro, "AppendixE.html", "getparameters"},
        {"$INSTDIR", ManualEntryKind::Variable, "Chapter4.html", "varother"},
        {"$PLUGINSDIR", ManualEntryKind::Constant, "Chapter4.html", "varconstant"},
        {"!include", ManualEntryKind::CompileTime, "Chapter5.html", "include"},
        {".onInit", ManualEntryKind::Callback, "Chapter4.html", "oninit"},
        {"OutFile", ManualEntryKind::Attribute, "Chapter4.html", "aoutfile"},
    };
    for (const auto& [name, kind, page, anchor] : found) {
        const ManualSection* section = Installed().Find(QString::fromUtf8(name));
        ASSERT_NE(section, nullptr) << name;
        EXPECT_EQ(section->kind, kind) << name;
        EXPECT_EQ(section->file, QLatin1String(page)) << name;
        EXPECT_EQ(section->anchor, QLatin1String(anchor)) << name;
        EXPECT_FALSE(section->firstParagraph.isEmpty()) << name;
    }
}

// Commands the compiler knows that this manual does not describe (deprecated
// or newer than the manual); any other command without a section is a fault.
TEST(ManualIndex, EveryCommandOfTheCompilersHelpHasASectionSaveKnownGaps) {
    const QSet<QByteArray> knownGaps = {"cpu",
                                        "dirshow",
                                        "getregview",
                                        "getshellvarcontext",
                                        "ifaltregview",
                                        "langstringup",
                                        "manifestappendcustomstring",
                                        "manifestdisablewindowfiltering",
                                        "manifestdpiawareness",
                                        "manifestgdiscaling",
                                        "manifestmaxversiontested",
                                        "pedllcharacteristics",
                                        "pesubsysver",
                                        "readmemory",
                                        "setcompressionlevel",
                                        "setpluginunload",
                                        "subsection",
                                        "subsectionend",
                                        "target",
                                        "uninstallexename",
                                        "unsafestrcpy"};
    CGetNsisFuncTipsThread reader(QStringLiteral("makensis"));
    ASSERT_TRUE(reader.Start());
    reader.Join();
    const auto tips = reader.Table();
    ASSERT_GT(tips->size(), 200);
    QStringList missing;
    QStringList documentedGaps;
    for (auto it = tips->cbegin(); it != tips->cend(); ++it) {
        const bool has = Installed().Find(QString::fromUtf8(it.key())) != nullptr;
        if (!has && !knownGaps.contains(it.key()))
            missing << QString::fromUtf8(it.key());
        if (has && knownGaps.contains(it.key()))
            documentedGaps << QString::fromUtf8(it.key());
    }
    EXPECT_TRUE(missing.isEmpty()) << missing.join(u' ').toStdString();
    EXPECT_TRUE(documentedGaps.isEmpty()) << "now documented: " << documentedGaps.join(u' ').toStdString();
}

TEST(ManualPageParser, SampleEdgeCases) {
    // Anchor inside the heading, an unclosed list item, entities, a prose
    // heading and a header macro with a parameter table.
    const QString html = QStringLiteral(
        "<a name=\"scriptref\"></a><h1>Chapter 4</h1>"
        "<a name=\"pageorder\"></a><h3>4.1 Ordering</h3><p>Prose.</p>"
        "<h4><a name=\"frob\"></a>4.1.1 Frob</h4>\n<pre>[/q] mode &quot;text&quot;\n</pre>"
        "<p>Frobs &amp; more.</p><ul><li><em>MODE_A</em> - first mode<li><i>MODE_B</i> - second</ul>"
        "<p>The /q switch keeps it quiet. Other.</p><pre>Frob /q MODE_A &quot;x&quot;</pre>"
        "<a name=\"e\"></a><h1>Appendix</h1><a name=\"getit\"></a><h3>E.1 GetIt</h3><ul><li>Gets it.</li></ul>"
        "<p><b>Syntax:</b></p><pre>${GetIt} &quot;[Path]&quot; $var</pre>"
        "<pre>&quot;[Path]&quot;  ; where to look\n$var     ; result</pre><p><b>Example:</b></p><pre>${GetIt} a "
        "$0</pre>");
    const QList<ManualSection> sections = ParseManualPage(QStringLiteral("Sample.html"), html);
    ASSERT_EQ(sections.size(), 2);
    const ManualSection& frob = sections[0];
    EXPECT_EQ(frob.name, u"Frob");
    EXPECT_EQ(frob.anchor, u"frob");
    EXPECT_EQ(frob.usage, u"Frob [/q] mode \"text\"");
    EXPECT_EQ(frob.firstParagraph, u"Frobs & more.");
    EXPECT_EQ(frob.example, u"Frob /q MODE_A \"x\"");
    const QList<ManualParameter> frobParameters = {
        {QStringLiteral("/q"), QStringLiteral("The /q switch keeps it quiet.")},
        {QStringLiteral("mode"), {}},
        {QStringLiteral("\"text\""), {}},
        {QStringLiteral("MODE_A"), QStringLiteral("first mode")},
        {QStringLiteral("MODE_B"), QStringLiteral("second")}};
    EXPECT_EQ(frob.parameters, frobParameters);
    const ManualSection& getIt = sections[1];
    EXPECT_EQ(getIt.name, u"${GetIt}");
    EXPECT_EQ(getIt.kind, ManualEntryKind::HeaderMacro);
    EXPECT_EQ(getIt.usage, u"${GetIt} \"[Path]\" $var");
    EXPECT_EQ(getIt.firstParagraph, u"Gets it.");
    EXPECT_EQ(getIt.example, u"${GetIt} a $0");
    EXPECT_EQ(getIt.parameters.value(0),
              (ManualParameter{QStringLiteral("\"[Path]\""), QStringLiteral("where to look")}));
    EXPECT_EQ(getIt.parameters.value(1), (ManualParameter{QStringLiteral("$var"), QStringLiteral("result")}));
}

TEST(ManualCache, LoadsWhatWasBuiltAndRebuildsWhenTheManualChanges) {
    QTemporaryDir dir;
    const QString docs = dir.filePath(QStringLiteral("Docs"));
    ASSERT_TRUE(QDir().mkpath(docs + QStringLiteral("/nsExec")));
    ASSERT_TRUE(
        WriteBytes(docs + QStringLiteral("/nsExec/nsExec.txt"), "nsExec\n------\nRuns things.\n\nnsExec::Exec path\n"));
    const QString cache = dir.filePath(QStringLiteral("cache/scrivo/manual-index.bin"));
    const ManualIndex built = LoadOrBuildManualIndex(docs, cache);
    ASSERT_TRUE(built.IsAvailable());
    const qint64 stamp = ManualStamp(docs);
    const auto loaded = LoadManualIndex(cache, docs, stamp);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Sections(), built.Sections());
    EXPECT_FALSE(LoadManualIndex(cache, docs, stamp + 1));
    EXPECT_FALSE(LoadManualIndex(cache, dir.filePath(QStringLiteral("other")), stamp));

    // A damaged cache is rebuilt, not trusted.
    QByteArray bytes = ReadBytes(cache);
    ASSERT_TRUE(WriteBytes(cache, bytes.left(bytes.size() / 2)));
    EXPECT_FALSE(LoadManualIndex(cache, docs, stamp));
    EXPECT_EQ(LoadOrBuildManualIndex(docs, cache).Sections(), built.Sections());

    EXPECT_FALSE(LoadOrBuildManualIndex(dir.filePath(QStringLiteral("none")), cache).IsAvailable());
}

TEST(ParameterHelp, CurrentParameterCountsSwitchesAsMakensisDoes) {
    const QByteArray file =
        "File [/nonfatal] [/a] ([/r] [/x file|wildcard [...]] (file|wildcard) [...] | /oname=file.dat infile.dat)";
    const QByteArray messageBox = "MessageBox mb_option_list messagebox_text [/SD return] [return_check jumpto]";
    const std::tuple<QByteArray, QByteArray, QByteArray> cases[] = {
        {messageBox, "MessageBox ", "mb_option_list"},
        {messageBox, "  MessageBox MB_OK ", "messagebox_text"},
        {messageBox, "MessageBox MB_OK \"a b c\" ", "[/SD return]"},
        {messageBox, "MessageBox MB_OK \"a b", "messagebox_text"},
        {messageBox, "MessageBox MB_OK \"x\" /SD IDOK ", "[return_check jumpto]"},
        {messageBox, "MessageBox MB_OK \"x\" /sd", "[/SD return]"},
        {file, "File /r ", "[/x file|wildcard [...]]"},
        {file, "File /r /x CVS ", "(file|wildcard)"},
        {file, "File a.txt b.txt ", "(file|wildcard)"},
        {file, "File /oname=out.dat ", "infile.dat"},
        {file, "File /nonfatal /a x", "(file|wildcard)"},
    };
    for (const auto& [usage, typed, current] : cases) {
        const auto range = CurrentParameter(usage, SplitTypedLine(typed));
        ASSERT_TRUE(range) << typed.constData();
        EXPECT_EQ(usage.mid(range->first, range->second - range->first), current) << typed.constData();
    }
    EXPECT_FALSE(CurrentParameter("Exec command", SplitTypedLine("Exec a.exe ")));
    EXPECT_FALSE(CurrentParameter("Exec command", SplitTypedLine("Exec")));
}

TEST(ManualTips, HoverWordsAsScriptsWriteThem) {
    const std::tuple<QByteArray, qsizetype, const char*> cases[] = {
        {"  ${GetParameters} $R0", 5, "${GetParameters}"},
        {"nsDialogs::Create 1018", 12, "nsDialogs::Create"},
        {"Function .onInit", 11, ".onInit"},
        {"StrCpy $0 $INSTDIR\\x", 12, "$INSTDIR"},
        {"!include \"x.nsh\"", 3, "!include"},
        {"setoutpath $0", 2, "SetOutPath"},
    };
    for (const auto& [line, index, name] : cases) {
        const ManualSection* section = ManualSectionAt(Installed(), line, index);
        ASSERT_NE(section, nullptr) << line.constData();
        EXPECT_EQ(section->name, QLatin1String(name));
    }
    EXPECT_EQ(ManualSectionAt(Installed(), "Frobnicate", 2), nullptr);
    const QByteArray hover = HoverTipText(*Installed().Find(QStringLiteral("SetOutPath")));
    EXPECT_TRUE(hover.startsWith("Usage: SetOutPath outpath\nSets the output path")) << hover.constData();
    EXPECT_TRUE(hover.endsWith("F1 打开手册中的这一节"));
}
