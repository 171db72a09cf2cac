// BaseConfig: the settings record of config.xml, its twenty-one keys in the order they are written.
#pragma once

#include <QString>

// Field names are the element names in config.xml, so the file and the code read alike.
struct BaseConfig {
    int ShowMaximized = 0;
    int CaptionShowFName = 0;
    int OpenLastFiles = 1;
    int CodeViewLeft = 1;
    int ShowToolbar = 1;
    int ShowSatusbar = 1;
    int ShowCodeTree = -1;  // -1: not decided yet; the first tab decides
    int ShowCodeView = 0;
    int TabSize = 4;
    int TabSpace = 1;
    int ShowLineNumber = 1;
    int ShowHotCurLine = 1;
    int HotCurLineColor = 16771304;  // 0x00BBGGRR
    int Compressor = 0;
    QString CompilePath;
    QString HelpPath;
    QString Defs;  // "/Dname[=value]" lines joined by '\n'
    int DisNsh = 0;
    int DisNsi = 0;
    int SaveCompile = 1;
    int LiveCheck = 1;  // check the unsaved text while the user types

    bool operator==(const BaseConfig&) const = default;
};
