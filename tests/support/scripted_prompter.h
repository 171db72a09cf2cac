// Prompter for tests: answers from a script and records every question asked.
#pragma once

#include "platform/prompter.h"

#include <deque>
#include <vector>

class ScriptedPrompter : public Prompter {
public:
    // Answers are used in order; a question with no scripted answer gets
    // Cancel (or an empty choice) and is still recorded, so a test sees it.
    void QueueAnswer(PromptAnswer answer) { m_answers.push_back(answer); }
    void QueueFiles(QStringList files) { m_files.push_back(std::move(files)); }
    void QueueColour(std::optional<std::uint32_t> colour) { m_colours.push_back(colour); }

    PromptAnswer Message(const PromptMessage& message) override {
        m_messages.push_back(message);
        if (m_answers.empty())
            return PromptAnswer::Cancel;
        const PromptAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    QStringList OpenFileNames(const FileDialogRequest& request, bool) override {
        m_fileRequests.push_back(request);
        return NextFiles();
    }
    QString SaveFileName(const FileDialogRequest& request) override {
        m_fileRequests.push_back(request);
        const QStringList files = NextFiles();
        return files.isEmpty() ? QString() : files.first();
    }
    QString FolderName(const QString& title, const QString&) override {
        m_fileRequests.push_back(FileDialogRequest{title, {}, {}, {}, {}});
        const QStringList files = NextFiles();
        return files.isEmpty() ? QString() : files.first();
    }
    std::optional<std::uint32_t> Colour(std::uint32_t) override {
        if (m_colours.empty())
            return std::nullopt;
        const auto colour = m_colours.front();
        m_colours.pop_front();
        return colour;
    }

    const std::vector<PromptMessage>& Messages() const { return m_messages; }
    QStringList MessageTexts() const {
        QStringList texts;
        for (const PromptMessage& message : m_messages)
            texts << message.text;
        return texts;
    }
    const std::vector<FileDialogRequest>& FileRequests() const { return m_fileRequests; }
    void ClearRecord() {
        m_messages.clear();
        m_fileRequests.clear();
    }

private:
    QStringList NextFiles() {
        if (m_files.empty())
            return {};
        QStringList files = m_files.front();
        m_files.pop_front();
        return files;
    }

    std::deque<PromptAnswer> m_answers;
    std::deque<QStringList> m_files;
    std::deque<std::optional<std::uint32_t>> m_colours;
    std::vector<PromptMessage> m_messages;
    std::vector<FileDialogRequest> m_fileRequests;
};
