// The one seam through which the program asks the user: message boxes and file, folder and colour choices.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

enum class PromptIcon { None, Information, Question, Warning, Error };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

struct PromptMessage {
    QString text;
    QString caption;
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
};

struct FileDialogRequest {
    QString title;
    QString folder;    // where the dialog starts; empty for the default
    QString fileName;  // proposed name, preselected
    QString filter;    // Qt filter text, e.g. "NSIS 脚本 (*.nsi *.nsh);;所有文件 (*)"
    QString defaultSuffix;
};

class Prompter {
public:
    virtual ~Prompter() = default;

    virtual PromptAnswer Message(const PromptMessage& message) = 0;
    // Each returns an empty result when the user cancels.
    virtual QStringList OpenFileNames(const FileDialogRequest& request, bool multiple) = 0;
    virtual QString SaveFileName(const FileDialogRequest& request) = 0;
    virtual QString FolderName(const QString& title, const QString& folder) = 0;
    // Colours are 0x00BBGGRR, as the editing component takes them.
    virtual std::optional<std::uint32_t> Colour(std::uint32_t initial) = 0;

    // Shorthand for the common message box.
    PromptAnswer Ask(const QString& text, const QString& caption, PromptIcon icon, PromptButtons buttons) {
        return Message(PromptMessage{text, caption, icon, buttons});
    }
};
