// Command identifiers: every menu item, key, tool button, tab-menu item and start-page link.
#pragma once

namespace Cmd {
// File
inline constexpr int NewWizard = 32880;
inline constexpr int NewTemplate = 32881;
inline constexpr int NewBlank = 57600;
inline constexpr int Open = 57601;
inline constexpr int Reload = 32883;
inline constexpr int ClearRecent = 32840;
inline constexpr int Save = 57603;
inline constexpr int SaveAs = 57604;
inline constexpr int SaveAll = 32886;
inline constexpr int Close = 57602;
inline constexpr int CloseAll = 32901;
inline constexpr int CloseOthers = 32896;
inline constexpr int Exit = 32884;
// Edit
inline constexpr int Undo = 57643;
inline constexpr int Redo = 57644;
inline constexpr int Cut = 57635;
inline constexpr int Copy = 57634;
inline constexpr int Paste = 57637;
inline constexpr int Delete = 32793;
inline constexpr int SelectAll = 57642;
inline constexpr int Comment = 32913;
inline constexpr int Uncomment = 32915;
inline constexpr int CommentKey = 32914;
inline constexpr int InsertColour = 32807;
inline constexpr int InsertFileName = 32808;
inline constexpr int UpperCase = 32809;
inline constexpr int LowerCase = 32810;
inline constexpr int InvertCase = 32811;
inline constexpr int QuoteSelection = 32812;
// Search
inline constexpr int Find = 32825;
inline constexpr int FindNext = 32826;
inline constexpr int FindPrevious = 32827;
inline constexpr int Replace = 32828;
inline constexpr int GoToLine = 32829;
// View
inline constexpr int ToggleToolbar = 59392;
inline constexpr int ToggleStatusBar = 59393;
inline constexpr int ToggleLog = 32791;
inline constexpr int StartPage = 32904;
inline constexpr int ToggleOutline = 32774;
inline constexpr int ToggleThumbnail = 32781;
inline constexpr int Settings = 32837;
// On no menu: the missing-compiler question opens the settings on the compiler page.
inline constexpr int CompilerSettings = 32838;
inline constexpr int PaneClose = 57682;
// NSIS
inline constexpr int Compile = 32786;
inline constexpr int CompileRun = 32787;
inline constexpr int StopCompile = 32788;
inline constexpr int OpenFolder = 32852;
inline constexpr int CompressorFirst = 32842;  // .. 32849, compressor 0..7
inline constexpr int CompressorLast = 32849;
inline constexpr int EncodingAnsi = 32869;
inline constexpr int EncodingUtf8NoBom = 32874;
inline constexpr int EncodingUtf8 = 32875;
inline constexpr int EncodingUcs2Be = 32876;
inline constexpr int EncodingUcs2Le = 32877;
// One per code page, in the order of AllCodePages.
inline constexpr int ReopenCodePageFirst = 32930;
inline constexpr int ReopenCodePageLast = 32942;
inline constexpr int ConvertCodePageFirst = 32950;
inline constexpr int ConvertCodePageLast = 32962;
// Every line end of the text made CR LF or LF.
inline constexpr int ConvertToCrLf = 32970;
inline constexpr int ConvertToLf = 32971;
inline constexpr int RunInstaller = 32789;
inline constexpr int NextDiagnostic = 32920;
inline constexpr int PreviousDiagnostic = 32921;
// Statistics
inline constexpr int SignIn = 32910;
inline constexpr int ViewStatistics = 32911;
inline constexpr int InsertStatistics = 32912;
// Help
inline constexpr int Manual = 32860;
// The manual at the section of the keyword under the mouse or at the caret.
inline constexpr int ContextHelp = 32990;
inline constexpr int NsisSite = 32861;
inline constexpr int HomeSite = 32864;
inline constexpr int OnlineHelp = 32906;
inline constexpr int CheckUpdate = 32865;
inline constexpr int About = 57664;
// Tab menu
inline constexpr int CopyPath = 32898;
inline constexpr int CopyFileName = 32899;
inline constexpr int CopyFolder = 32900;
}  // namespace Cmd

inline constexpr int ID_RECENT_FILE_FIRST = 40000;
inline constexpr int ID_RECENT_FILE_LAST = 40050;
inline constexpr int COPYDATA_OPEN_FILE = 10001;
