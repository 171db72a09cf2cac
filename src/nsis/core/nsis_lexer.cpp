// NSIS colouring and folding: one style byte per byte and one fold level per line, from any line start and its state.
#include "nsis/core/nsis_lexer.h"

#include <algorithm>
#include <cstring>

namespace {

using Byte = std::uint8_t;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Characters of variable names ($INSTDIR, $R0, $my_var).
bool IsNameChar(char c) { return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }

// '!' and '.' belong to words such as "!define", ".onInit" and "un.onInit";
// bytes of non-ASCII characters too, so a character is never split.
bool IsWordChar(char c) { return IsNameChar(c) || c == '!' || c == '.' || static_cast<unsigned char>(c) >= 0x80; }

bool IsQuote(char c) { return c == '"' || c == '`' || c == '\''; }

NsisStyle QuoteStyle(char quote) {
    return quote == '"' ? NsisStyle::DoubleQuoted : quote == '`' ? NsisStyle::BackQuoted : NsisStyle::SingleQuoted;
}

NsisLineMode QuoteMode(char quote) {
    return quote == '"' ? NsisLineMode::DoubleQuoted
        : quote == '`'  ? NsisLineMode::BackQuoted
                        : NsisLineMode::SingleQuoted;
}

char ModeQuote(NsisLineMode mode) {
    return mode == NsisLineMode::DoubleQuoted ? '"' : mode == NsisLineMode::BackQuoted ? '`' : '\'';
}

// Decimal (dotted versions too) or 0x hexadecimal.
bool IsNumber(std::string_view word) {
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X'))
        return std::all_of(word.begin() + 2, word.end(), IsHexDigit);
    return word.back() != '.' && std::all_of(word.begin(), word.end(), [](char c) { return IsDigit(c) || c == '.'; });
}

// makensis refuses labels that start with these.
bool CanStartLabel(char c) { return !IsDigit(c) && c != '-' && c != '+' && c != '!' && c != '$'; }

// One physical line. Tokens lie in [begin, contentEnd); on a continued line
// the '\' and any blanks after it follow up to textEnd; the line end runs to end.
struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;
    std::size_t textEnd = 0;
    std::size_t end = 0;
    bool continues = false;
};

Line FindLine(std::string_view text, std::size_t begin) {
    const char* data = text.data();
    const std::size_t size = text.size();
    Line line;
    line.begin = begin;
    const void* newline = std::memchr(data + begin, '\n', size - begin);
    std::size_t eol = newline ? std::size_t(static_cast<const char*>(newline) - data) : size;
    if (const void* cr = std::memchr(data + begin, '\r', eol - begin))
        eol = std::size_t(static_cast<const char*>(cr) - data);
    line.textEnd = eol;
    line.end = eol;
    if (eol < size)
        line.end += data[eol] == '\r' && eol + 1 < size && data[eol + 1] == '\n' ? 2 : 1;
    std::size_t last = eol;
    while (last > begin && IsBlank(data[last - 1]))
        --last;
    line.continues = last > begin && data[last - 1] == '\\';
    line.contentEnd = line.continues ? last - 1 : eol;
    return line;
}

// The nesting as a line's words and comments open and close blocks.
struct FoldTracker {
    int level;
    int lowest;

    void Open() {
        if (level < kFoldLevelNumberMask)
            ++level;
    }
    void Close() {
        if (level > kFoldLevelBase)
            --level;
        lowest = std::min(lowest, level);
    }
    void Apply(FoldRole role) {
        if (role == FoldRole::Closes || role == FoldRole::Reopens)
            Close();
        if (role == FoldRole::Opens || role == FoldRole::Reopens)
            Open();
    }
};

class LineLexer {
public:
    LineLexer(std::string_view text, Byte* styles, const NsisKeywords& keywords)
        : m_text(text), m_styles(styles), m_keywords(keywords) {}

    // Styles one line; level receives its fold level.
    NsisLexState Lex(const Line& line, const NsisLexState& before, int& level) {
        m_line = line;
        m_fold = {before.foldLevel, before.foldLevel};
        m_firstWord = before.mode == NsisLineMode::LineStart;
        const NsisLineMode mode = LexFrom(before.mode);
        // A line that closes a block and opens the next ("!else", "*/ Section")
        // sits at the outer level, unless the line above would then head an
        // empty fold.
        const bool dips = m_fold.lowest < before.foldLevel && m_fold.level > m_fold.lowest && !before.afterHeader;
        const int own = dips ? m_fold.lowest : before.foldLevel;
        const bool header = m_fold.level > own;
        level = own | (header ? kFoldLevelHeaderFlag : 0);
        return {mode, header, m_fold.level};
    }

private:
    std::size_t Fill(std::size_t from, std::size_t to, NsisStyle style) {
        std::memset(m_styles + from, int(style), to - from);
        return to;
    }

    NsisLineMode LexFrom(NsisLineMode mode) {
        std::size_t i = m_line.begin;
        switch (mode) {
        case NsisLineMode::LineComment: return LineComment(i);
        case NsisLineMode::BlockComment: {
            bool closed = false;
            i = CommentBox(i, i, closed);
            if (!closed)
                return NsisLineMode::BlockComment;
            // makensis reads what follows a comment that spanned lines as a new line.
            m_firstWord = true;
            break;
        }
        case NsisLineMode::DoubleQuoted:
        case NsisLineMode::BackQuoted:
        case NsisLineMode::SingleQuoted: {
            const char quote = ModeQuote(mode);
            bool closed = false;
            i = StringBody(i, quote, closed);
            if (!closed)
                return UnclosedString(quote);
            break;
        }
        case NsisLineMode::LineStart:
        case NsisLineMode::Continued: break;
        }
        return Tokens(i);
    }

    NsisLineMode Tokens(std::size_t i) {
        bool tokenStart = true;
        while (i < m_line.contentEnd) {
            const char c = m_text[i];
            if (IsBlank(c)) {
                m_styles[i++] = Byte(NsisStyle::Default);
                tokenStart = true;
                continue;
            }
            if (tokenStart) {
                if (c == ';' || c == '#')
                    return LineComment(i);
                if (c == '/' && i + 1 < m_line.contentEnd && m_text[i + 1] == '*') {
                    m_fold.Open();
                    bool closed = false;
                    i = CommentBox(i, i + 2, closed);
                    if (!closed)
                        return NsisLineMode::BlockComment;
                    continue;
                }
                if (IsQuote(c)) {
                    m_firstWord = false;
                    m_styles[i] = Byte(QuoteStyle(c));
                    bool closed = false;
                    i = StringBody(i + 1, c, closed);
                    if (!closed)
                        return UnclosedString(c);
                    continue;  // a closing quote ends the token
                }
                if (m_firstWord) {
                    if (const std::size_t end = LabelEnd(i)) {
                        i = Fill(i, end, NsisStyle::Label);
                        m_firstWord = false;
                        continue;
                    }
                }
            }
            tokenStart = false;
            if (c == '$')
                i = Dollar(i, '\0', NsisStyle::Default, NsisStyle::Variable);
            else if (IsWordChar(c))
                i = Word(i);
            else
                m_styles[i++] = Byte(NsisStyle::Default);
            m_firstWord = false;
        }
        Fill(m_line.contentEnd, m_line.end, NsisStyle::Default);
        if (m_line.continues && !m_firstWord)
            return NsisLineMode::Continued;
        return NsisLineMode::LineStart;
    }

    NsisLineMode LineComment(std::size_t from) {
        Fill(from, m_line.end, NsisStyle::Comment);
        return m_line.continues ? NsisLineMode::LineComment : NsisLineMode::LineStart;
    }

    // Styles from `from` up to and including the "*/" searched for from searchFrom.
    std::size_t CommentBox(std::size_t from, std::size_t searchFrom, bool& closed) {
        const std::size_t close = m_text.substr(0, m_line.textEnd).find("*/", searchFrom);
        closed = close != std::string_view::npos;
        if (!closed)
            return Fill(from, m_line.end, NsisStyle::CommentBox);
        m_fold.Close();
        return Fill(from, close + 2, NsisStyle::CommentBox);
    }

    std::size_t StringBody(std::size_t i, char quote, bool& closed) {
        const Byte style = Byte(QuoteStyle(quote));
        while (i < m_line.contentEnd) {
            const char c = m_text[i];
            if (c == quote) {
                m_styles[i] = style;
                closed = true;
                return i + 1;
            }
            if (c == '$')
                i = Dollar(i, quote, NsisStyle(style), NsisStyle::StringVariable);
            else
                m_styles[i++] = style;
        }
        closed = false;
        return i;
    }

    NsisLineMode UnclosedString(char quote) {
        Fill(m_line.contentEnd, m_line.end, QuoteStyle(quote));
        return m_line.continues ? QuoteMode(quote) : NsisLineMode::LineStart;
    }

    // $NAME, ${NAME}, $(NAME) in the variable style; the escapes $\x and $$ in plain.
    std::size_t Dollar(std::size_t i, char quote, NsisStyle plain, NsisStyle variable) {
        const std::size_t end = m_line.contentEnd;
        const std::size_t next = i + 1;
        const char c = next < end ? m_text[next] : '\0';
        if (c == '\\')
            return Fill(i, std::min(i + 3, end), plain);
        if (c == '$')
            return Fill(i, next + 1, plain);
        if (c == '{' || c == '(')
            return Fill(i, BracketEnd(next, quote), variable);
        if (IsNameChar(c)) {
            std::size_t k = next;
            while (k < end && IsNameChar(m_text[k]))
                ++k;
            return Fill(i, k, variable);
        }
        return Fill(i, next, plain);
    }

    // Past the bracket matching the one at open; short of a blank, the string's quote or the line's end.
    std::size_t BracketEnd(std::size_t open, char quote) const {
        const char opener = m_text[open];
        const char closer = opener == '{' ? '}' : ')';
        int depth = 0;
        for (std::size_t k = open; k < m_line.contentEnd; ++k) {
            const char c = m_text[k];
            if (IsBlank(c) || (quote && c == quote))
                return k;
            if (c == opener)
                ++depth;
            else if (c == closer && --depth == 0)
                return k + 1;
        }
        return m_line.contentEnd;
    }

    std::size_t Word(std::size_t i) {
        std::size_t end = i;
        while (end < m_line.contentEnd && IsWordChar(m_text[end]))
            ++end;
        const std::string_view word = m_text.substr(i, end - i);
        NsisWordClass kind;
        if (IsDigit(word.front()))
            kind.style = IsNumber(word) ? NsisStyle::Number : NsisStyle::Default;
        else
            kind = m_keywords.Classify(word);
        if (m_firstWord)
            m_fold.Apply(kind.role);
        return Fill(i, end, kind.style);
    }

    // A first token ending in ':' is a label; 0 when the token at i is none.
    std::size_t LabelEnd(std::size_t i) const {
        std::size_t end = i;
        while (end < m_line.contentEnd && !IsBlank(m_text[end]))
            ++end;
        if (end - i < 2 || m_text[end - 1] != ':' || !CanStartLabel(m_text[i]))
            return 0;
        return end;
    }

    std::string_view m_text;
    Byte* m_styles;
    const NsisKeywords& m_keywords;
    Line m_line;
    FoldTracker m_fold{kFoldLevelBase, kFoldLevelBase};
    bool m_firstWord = true;
};

}  // namespace

NsisLexResult LexNsis(std::string_view text, NsisLexState state, const NsisKeywords& keywords) {
    NsisLexResult result;
    result.styles.resize(text.size());
    const std::size_t lineGuess = text.size() / 32 + 1;
    result.foldLevels.reserve(lineGuess);
    result.lineEndStates.reserve(lineGuess);
    state.foldLevel = std::clamp(state.foldLevel, kFoldLevelBase, kFoldLevelNumberMask);
    LineLexer lexer(text, result.styles.data(), keywords);
    std::size_t begin = 0;
    while (begin < text.size()) {
        const Line line = FindLine(text, begin);
        int level = 0;
        state = lexer.Lex(line, state, level);
        result.foldLevels.push_back(level);
        result.lineEndStates.push_back(state);
        begin = line.end;
    }
    return result;
}
