// NSIS styling restarted after edits from the lexer states kept every 64 lines, in two views sharing one document.
#include "editor/ui/nsis_styler.h"
#include "editor/ui/scintilla_call.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using Sc = ScintillaCall;

// Sections of three lines, with a block comment, a continued comment and a
// string over lines in every 32 lines: state crosses the checkpoint lines.
QByteArray Script() {
    QByteArray script;
    for (int i = 0; i < 100; ++i) {
        script += "Section \"s" + QByteArray::number(i) + "\"\n  DetailPrint \"$INSTDIR\"\nSectionEnd\n";
        if (i % 10 == 3)
            script += "/* a box\nover lines */\n; goes on \\\nName x\nDetailPrint \"a \\\n  b\"\n";
    }
    return script;
}

struct StyledView {
    Sc call;
    StyledView() { new NsisStyler(call); }  // the component owns it
};

// The first of the first lines whose styles or fold level differ; -1 when none.
Sc::Line FirstDifference(Sc& call, Sc& expected, Sc::Line lines) {
    for (Sc::Line line = 0; line < lines; ++line) {
        if (call.FoldLevel(line) != expected.FoldLevel(line))
            return line;
        for (Sc::Position i = call.PositionFromLine(line); i < call.LineEndPosition(line); ++i) {
            if (call.StyleAt(i) != expected.StyleAt(i))
                return line;
        }
    }
    return -1;
}

// The component asks for styles up to what a view shows.
void Show(Sc& call, Sc::Line line) { call.Colourise(call.Length(), call.PositionFromLine(line)); }

TEST(NsisStylerTest, EditsInEitherViewOfADocumentRestyleLikeAFreshView) {
    StyledView editor;
    StyledView thumbnail;
    editor.call.SetText(Script());
    thumbnail.call.SetDocPointer(editor.call.DocPointer());
    editor.call.Colourise(0, -1);

    Sc& a = editor.call;
    Sc& b = thumbnail.call;
    const auto insert = [](Sc::Line line, QByteArray text) {
        return [line, text](Sc& call) { call.InsertText(call.PositionFromLine(line), text); };
    };
    const auto deleteLines = [](Sc::Line line, Sc::Line count) {
        return [line, count](Sc& call) {
            call.DeleteRange(call.PositionFromLine(line),
                             call.PositionFromLine(line + count) - call.PositionFromLine(line));
        };
    };
    const auto undo = [](Sc& call) { call.Undo(); };
    struct Step {
        const char* what;
        std::function<void(Sc&)> edit;
        Sc* shows;         // the view styling after the edit
        Sc::Line shownTo;  // up to this line
    };
    const Step steps[] = {
        {"a box opened before checkpoint 64", insert(10, "/* open\n"), &b, 150},
        {"a comment continued past checkpoint 128", insert(126, "; x \\\n"), &a, 140},
        {"the box closed after checkpoint 64", insert(70, "*/ Section t\n"), &a, 100},
        {"a string over lines across checkpoint 192", insert(190, "DetailPrint \"c \\\n"), &b, 260},
        {"a fold header right at a checkpoint", insert(128, "Function f\n"), &a, 300},
        {"lines before checkpoint 64 deleted", deleteLines(5, 7), &b, 90},
        {"undone", undo, &a, 200},
        {"undone again", undo, &b, 250},
        {"the line before checkpoint 192 deleted", deleteLines(191, 1), &a, 210},
        {"most lines deleted", deleteLines(40, 300), &b, 80},
        {"a box opened in the last lines", insert(60, "/* late\n"), &a, 90},
    };
    StyledView fresh;
    for (const Step& step : steps) {
        // Styling from both views ran ahead before each edit, as in idle time.
        Show(b, b.LineCount() - 1);
        step.edit(a);
        Show(*step.shows, std::min(step.shownTo, step.shows->LineCount() - 1));
        fresh.call.SetText(a.GetText());
        fresh.call.Colourise(0, -1);
        const Sc::Line styled = a.LineFromPosition(a.EndStyled());
        EXPECT_EQ(FirstDifference(a, fresh.call, styled), -1) << step.what;
    }
    Show(a, a.LineCount() - 1);
    EXPECT_EQ(FirstDifference(a, fresh.call, a.LineCount()), -1);
}

}  // namespace
