// The comment commands' line walk over UTF-8 script text: which ';' go in or out and what is selected after.
#pragma once

#include <QByteArray>
#include <optional>
#include <string_view>

enum class CommentMode { Comment, Uncomment };

// One contiguous replacement covering every inserted or removed ';', so a
// selection over a million lines is one edit and one undo step.
struct CommentEdit {
    long start = 0;  // byte range of the original text that is replaced
    long end = 0;
    QByteArray replacement;
    int changedLines = 0;
    // Selection afterwards, in the new text; none leaves the caret where the edit puts it.
    std::optional<std::pair<long, long>> selection;
};

// Walks the lines from the selection start's line while their start lies
// within the selection's end (which moves with each ';' put in or taken out).
// Uncommenting removes a ';' only when spaces alone precede it on its line.
CommentEdit CommentLines(std::string_view text, long selStart, long selEnd, CommentMode mode);

// Uncomment when any line the selection touches starts with ';' after spaces, else comment.
CommentMode ToggleCommentMode(std::string_view text, long selStart, long selEnd);
