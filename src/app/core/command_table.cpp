// The command table (id, menu text, keys, prompt) and the menu and tool bar layouts built from it.
#include "app/core/command_table.h"

#include "text/core/code_page.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

static_assert(Cmd::ReopenCodePageLast - Cmd::ReopenCodePageFirst + 1 == kCodePageCount);
static_assert(Cmd::ConvertCodePageLast - Cmd::ConvertCodePageFirst + 1 == kCodePageCount);

void AddCodePageCommands(std::vector<CommandInfo>& table) {
    int index = 0;
    for (CodePage page : AllCodePages()) {
        const QString name = CodePageName(page);
        table.push_back({Cmd::ReopenCodePageFirst + index, name, {}, u"以 %1 编码重新读取当前脚本"_s.arg(name)});
        table.push_back({Cmd::ConvertCodePageFirst + index, name, {}, u"将当前脚本转换为 %1 编码并保存"_s.arg(name)});
        ++index;
    }
}

std::vector<CommandInfo> BuildTable() {
    using namespace Cmd;
    std::vector<CommandInfo> table{
        {NewWizard, u"新建脚本:向导(&W)"_s, {u"Ctrl+W"_s}, u"利用向导的帮助创建新脚本"_s},
        {NewTemplate, u"新建脚本:模板(&N)"_s, {u"Ctrl+T"_s}, u"基于已存在的文本文件创建新脚本"_s},
        {NewBlank, u"新建脚本:空白(&E)"_s, {u"Ctrl+N"_s}, u"创建新 NSIS 空白脚本"_s},
        {Open, u"打开(&O)..."_s, {u"Ctrl+O"_s}, u"打开已存在的脚本"_s},
        {Reload, u"重新读取文件"_s, {}, u"重新读取文件"_s},
        {ClearRecent, u"清除列表(&C)"_s, {}, {}},
        {Save, u"保存(&S)"_s, {u"Ctrl+S"_s}, u"保存当前脚本"_s},
        {SaveAs, u"另存为(&A)..."_s, {}, u"使用新的名称保存活动脚本"_s},
        {SaveAll, u"全部保存"_s, {}, u"保存所有打开的脚本"_s},
        {Close, u"关闭当前文件"_s, {}, u"关闭当前文件"_s},
        {CloseAll, u"关闭所有文件"_s, {}, u"关闭所有文件"_s},
        {CloseOthers, u"关闭当前以外所有文件"_s, {}, u"关闭当前以外所有文件"_s},
        {Exit, u"退出(&Q)"_s, {}, u"退出应用程序"_s},

        {Undo, u"撤销(&U)"_s, {u"Ctrl+Z"_s, u"Alt+Backspace"_s}, u"撤销最后一个动作"_s},
        {Redo, u"恢复(&R)"_s, {u"Ctrl+Y"_s}, u"重做上一个动作"_s},
        {Cut, u"剪切(&X)"_s, {u"Ctrl+X"_s, u"Shift+Del"_s}, u"剪切选择区到剪贴板"_s},
        {Copy, u"复制(&C)"_s, {u"Ctrl+C"_s, u"Ctrl+Ins"_s}, u"复制选择区到剪贴板"_s},
        {Paste, u"粘贴(&P)"_s, {u"Ctrl+V"_s, u"Shift+Ins"_s}, u"粘贴剪贴板内容"_s},
        {Delete, u"删除(&D)"_s, {}, u"删除选择区"_s},
        {SelectAll, u"选择全部(&A)"_s, {u"Ctrl+A"_s}, u"选择整个脚本"_s},
        // The menu shows Ctrl+; beside both; the key itself belongs to CommentKey.
        {Comment, u"注释文本(&B)\tCtrl+;"_s, {}, u"注释选择的文本，没有选择文本时则注释当前行"_s},
        {Uncomment, u"取消文本注释(&Z)\tCtrl+;"_s, {}, u"取消选择文本的注释，没有选择文本时则取消当前行的注释"_s},
        {CommentKey, {}, {u"Ctrl+;"_s}, {}},
        {InsertColour, u"插入颜色(&C)"_s, {u"Shift+F5"_s}, u"提示颜色并插入其颜色数值"_s},
        {InsertFileName, u"插入文件名(&F)"_s, {u"Shift+F6"_s}, u"提示文件并插入其名称"_s},
        {UpperCase, u"大写(&P)"_s, {u"Ctrl+U"_s}, u"更改选择区为大写"_s},
        {LowerCase, u"小写(&L)"_s, {u"Ctrl+L"_s}, u"更改选择区为小写"_s},
        {InvertCase, u"切换大小写(&T)"_s, {u"Ctrl+H"_s}, u"反相选择区的大小写"_s},
        {QuoteSelection, u"选择区引号(&Q)"_s, {u"Ctrl+Q"_s}, u"添加引号到选择区"_s},

        {Find, u"查找(&F)..."_s, {u"Ctrl+F"_s}, u"在脚本中搜索文本"_s},
        {FindNext, u"查找下一个(&N)"_s, {u"F3"_s}, u"查找下一个搜索字符串的位置"_s},
        {FindPrevious, u"查找上一个(&P)"_s, {u"Shift+F3"_s}, u"查找上一个搜索字符串的位置"_s},
        {Replace, u"替换(&R)..."_s, {u"Ctrl+R"_s}, u"替换搜索的字符串"_s},
        {GoToLine, u"前往行号(&G)"_s, {u"Ctrl+G"_s}, u"前往指定的行号"_s},

        {ToggleToolbar, u"工具栏(&T)"_s, {}, u"显示/隐藏 工具栏"_s},
        {ToggleStatusBar, u"状态栏(&S)"_s, {}, u"显示/隐藏 状态栏"_s},
        {ToggleLog, u"日志窗口(&L)"_s, {}, u"显示/隐藏 日志窗格"_s},
        {StartPage, u"起始页"_s, {}, u"显示起始页"_s},
        {ToggleOutline, u"代码结构图(&P)"_s, {}, u"显示代码结构视图"_s},
        {ToggleThumbnail, u"代码缩略图(&C)"_s, {}, u"显示代码缩略视图"_s},
        {Settings, u"设置(&S)"_s, {}, u"显示配置对话框"_s},
        {PaneClose, {}, {}, {}},

        {Compile, u"编译脚本(&C)"_s, {u"Ctrl+F9"_s}, u"编译脚本"_s},
        {CompileRun, u"编译并运行(&R)"_s, {u"Shift+F9"_s}, u"编译并运行脚本"_s},
        {StopCompile, u"停止编译(&S)"_s, {u"Esc"_s}, u"停止编译脚本"_s},
        {OpenFolder, u"打开脚本所在目录(&D)"_s, {u"Ctrl+B"_s}, u"打开脚本所在目录"_s},
        {CompressorFirst + 0, u"使用脚本中定义的压缩格式(默认)"_s, {}, u"使用脚本中定义的压缩格式"_s},
        {CompressorFirst + 1, u"&ZLIB"_s, {}, u"使用ZLIB压缩格式"_s},
        {CompressorFirst + 2, u"ZLIB (solid)"_s, {}, u"使用ZLIB(solid)压缩格式"_s},
        {CompressorFirst + 3, u"BZI&P2"_s, {}, u"使用BZIP2压缩格式"_s},
        {CompressorFirst + 4, u"BZIP2 (solid)"_s, {}, u"使用BZIP2(solid)压缩格式"_s},
        {CompressorFirst + 5, u"&LZMA"_s, {}, u"使用LZMA压缩格式"_s},
        {CompressorFirst + 6, u"LZMA (solid)"_s, {}, u"使用LZMA(solid)压缩格式"_s},
        {CompressorFirst + 7, u"最好的压缩格式"_s, {}, u"使用最好的压缩格式"_s},
        {EncodingAnsi, u"ANSI 编码格式"_s, {}, u"设置脚本为 ANSI 编码格式"_s},
        {EncodingUtf8NoBom, u"UTF-8 无BOM 编码格式"_s, {}, u"设置脚本为 UTF-8 无BOM 编码格式"_s},
        {EncodingUtf8, u"UTF-8 编码格式"_s, {}, u"设置脚本为 UTF-8 编码格式"_s},
        {EncodingUcs2Be, u"UCS-2 Big Endian 编码格式"_s, {}, u"设置脚本为 UCS-2 Big Endian 编码格式"_s},
        {EncodingUcs2Le, u"UCS-2 Little Endian 编码格式"_s, {}, u"设置脚本为 UCS-2 Little Endian 编码格式"_s},
        {ConvertToCrLf, u"转换为 Windows 格式 (CR LF)"_s, {}, u"将当前脚本的所有行尾转换为 CR LF"_s},
        {ConvertToLf, u"转换为 Unix 格式 (LF)"_s, {}, u"将当前脚本的所有行尾转换为 LF"_s},
        {RunInstaller, u"运行安装程序(&E)"_s, {u"F9"_s}, u"运行安装程序"_s},
        {NextDiagnostic, u"下一个问题(&X)"_s, {u"F4"_s}, u"转到编译的下一个错误或警告"_s},
        {PreviousDiagnostic, u"上一个问题(&V)"_s, {u"Shift+F4"_s}, u"转到编译的上一个错误或警告"_s},

        {SignIn, u"用户登录(&L)"_s, {}, u"登录/注销Korvane网"_s},
        {ViewStatistics, u"查看统计(&P)"_s, {}, u"查看Korvane统计"_s},
        {InsertStatistics, u"插入统计代码(&U)"_s, {}, u"插入Korvane网统计代码"_s},

        {Manual, u"NSIS 用户手册(&N)"_s, {}, u"打开 NSIS 用户手册"_s},
        {ContextHelp, u"手册中的当前命令(&K)"_s, {u"F1"_s}, u"在 NSIS 用户手册中查看光标处的命令"_s},
        {NsisSite, u"NSIS 官方网站(&O)"_s, {}, u"访问 NSIS 官方网站"_s},
        {HomeSite, u"Korvane安装官方网站(&E)"_s, {}, u"访问 Korvane安装官方网站"_s},
        {OnlineHelp, u"Korvane安装在线帮助(&H)"_s, {}, u"访问 Korvane安装在线帮助"_s},
        {CheckUpdate, u"检查更新(&C)"_s, {}, u"检查是否有更新的版本"_s},
        {About, u"关于Korvane安装(&A)..."_s, {}, u"显示关于本软件"_s},

        {CopyPath, u"复制文件路径到剪切板"_s, {}, {}},
        {CopyFileName, u"复制文件名到剪切板"_s, {}, {}},
        {CopyFolder, u"复制当前路径到剪切板"_s, {}, {}},
    };
    AddCodePageCommands(table);
    return table;
}

MenuNode Item(int id) { return MenuNode{id, {}, {}}; }
MenuNode Item(int id, const QString& text) { return MenuNode{id, text, {}}; }
MenuNode Separator() { return MenuNode{}; }
MenuNode Submenu(const QString& title, std::vector<MenuNode> children) {
    return MenuNode{0, title, std::move(children)};
}

std::vector<MenuNode> BuildMainMenu() {
    using namespace Cmd;
    std::vector<MenuNode> compressors;
    for (int id = CompressorFirst; id <= CompressorLast; ++id)
        compressors.push_back(Item(id));
    std::vector<MenuNode> reopen;
    std::vector<MenuNode> convert;
    for (int i = 0; i < kCodePageCount; ++i) {
        reopen.push_back(Item(ReopenCodePageFirst + i));
        convert.push_back(Item(ConvertCodePageFirst + i));
    }
    return {
        Submenu(u"文件(&F)"_s,
                {Item(NewWizard), Item(NewTemplate), Item(NewBlank), Item(Open), Item(Reload), Separator(),
                 Submenu(u"最近打开"_s, {Item(ClearRecent), Separator()}), Separator(), Item(Save), Item(SaveAs),
                 Item(SaveAll), Separator(), Item(Close), Item(CloseAll), Item(CloseOthers), Separator(), Item(Exit)}),
        Submenu(u"编辑(&E)"_s,
                {Item(Undo), Item(Redo), Separator(), Item(Cut), Item(Copy), Item(Paste), Item(Delete), Separator(),
                 Item(SelectAll), Separator(), Item(Comment), Item(Uncomment), Separator(),
                 Submenu(u"插入"_s, {Item(InsertColour), Item(InsertFileName)}),
                 Submenu(u"格式"_s, {Item(UpperCase), Item(LowerCase), Item(InvertCase), Item(QuoteSelection)})}),
        Submenu(u"搜索(&S)"_s,
                {Item(Find), Item(FindNext), Item(FindPrevious), Item(Replace), Separator(), Item(GoToLine)}),
        Submenu(u"视图(&V)"_s,
                {Item(ToggleToolbar), Item(ToggleStatusBar), Item(ToggleLog), Separator(), Item(StartPage),
                 Item(ToggleOutline), Item(ToggleThumbnail), Separator(), Item(Settings)}),
        Submenu(u"NSIS(&N)"_s,
                {Item(Compile), Item(CompileRun), Item(StopCompile), Separator(), Item(RunInstaller), Item(OpenFolder),
                 Separator(), Item(NextDiagnostic), Item(PreviousDiagnostic), Separator(),
                 Submenu(u"设置压缩格式"_s, std::move(compressors)),
                 Submenu(u"设置脚本编码格式"_s,
                         {Item(EncodingAnsi), Item(EncodingUtf8NoBom), Item(EncodingUtf8), Item(EncodingUcs2Be),
                          Item(EncodingUcs2Le), Separator(), Submenu(u"以其他编码重新打开"_s, std::move(reopen)),
                          Submenu(u"转换为"_s, std::move(convert)), Separator(), Item(ConvertToCrLf),
                          Item(ConvertToLf)})}),
        Submenu(u"统计(&S)"_s, {Item(SignIn), Item(ViewStatistics), Item(InsertStatistics)}),
        Submenu(u"帮助(&H)"_s,
                {Item(Manual), Item(ContextHelp), Item(NsisSite), Separator(), Item(HomeSite), Item(OnlineHelp),
                 Item(CheckUpdate), Separator(), Item(About)}),
    };
}

std::vector<MenuNode> BuildTabMenu() {
    using namespace Cmd;
    return {Item(Close, u"关闭当前文件"_s),
            Item(CloseOthers, u"关闭当前以外所有文件"_s),
            Separator(),
            Item(Save, u"保存当前文件"_s),
            Item(SaveAs, u"当前文件另存为"_s),
            Item(Reload, u"重新读取当前文件"_s),
            Separator(),
            Item(CopyPath),
            Item(CopyFileName),
            Item(CopyFolder)};
}

}  // namespace

const std::vector<CommandInfo>& CommandTable() {
    static const std::vector<CommandInfo> table = BuildTable();
    return table;
}

const CommandInfo* FindCommand(int id) {
    const auto& table = CommandTable();
    auto it = std::find_if(table.begin(), table.end(), [id](const CommandInfo& c) { return c.id == id; });
    return it == table.end() ? nullptr : &*it;
}

QString MenuTextWithKey(int id) {
    const CommandInfo* info = FindCommand(id);
    if (!info)
        return {};
    if (info->keys.isEmpty() || info->menuText.contains(u'\t'))
        return info->menuText;
    return info->menuText + u'\t' + info->keys.first();
}

QString ToolbarTooltip(int id) {
    QString text = MenuTextWithKey(id);
    text.remove(u'&');
    const qsizetype tab = text.indexOf(u'\t');
    if (tab >= 0)
        text = text.left(tab) + u"  ("_s + text.mid(tab + 1) + u')';
    return text.left(79);  // the 80-character buffer keeps room for its terminator
}

QString StatusPrompt(int id) {
    const CommandInfo* info = FindCommand(id);
    if (!info)
        return {};
    const qsizetype brk = info->prompt.indexOf(u'\n');
    return brk < 0 ? info->prompt : info->prompt.left(brk);
}

const std::vector<MenuNode>& MainMenuLayout() {
    static const std::vector<MenuNode> layout = BuildMainMenu();
    return layout;
}

const std::vector<MenuNode>& TabMenuLayout() {
    static const std::vector<MenuNode> layout = BuildTabMenu();
    return layout;
}

const std::vector<int>& ToolbarLayout() {
    using namespace Cmd;
    static const std::vector<int> layout = {NewWizard,
                                            NewTemplate,
                                            NewBlank,
                                            Open,
                                            Save,
                                            SaveAll,
                                            0,
                                            Undo,
                                            Redo,
                                            Cut,
                                            Copy,
                                            Paste,
                                            0,
                                            Compile,
                                            CompileRun,
                                            StopCompile,
                                            RunInstaller,
                                            0,
                                            ViewStatistics,
                                            InsertStatistics,
                                            0,
                                            About};
    return layout;
}
