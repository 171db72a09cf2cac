// Prompter that shows real Qt dialogs, owned by the window they belong to.
#pragma once

#include "platform/prompter.h"

#include <QPointer>
#include <QWidget>

class DialogPrompter : public Prompter {
public:
    explicit DialogPrompter(QWidget* owner = nullptr) : m_owner(owner) {}
    void SetOwner(QWidget* owner) { m_owner = owner; }

    PromptAnswer Message(const PromptMessage& message) override;
    QStringList OpenFileNames(const FileDialogRequest& request, bool multiple) override;
    QString SaveFileName(const FileDialogRequest& request) override;
    QString FolderName(const QString& title, const QString& folder) override;
    std::optional<std::uint32_t> Colour(std::uint32_t initial) override;

private:
    QPointer<QWidget> m_owner;
};
