// OutlineItem: one entry of a script's outline, and the keyword table that yields it.
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// Rows of the keyword table, in the order tokens are compared with it.
enum class OutlineRow : std::uint8_t {
    Section = 0,
    MementoSection = 1,
    SectionGroup = 2,
    SectionGroupEnd = 3,
    Function = 4,
    Macro = 5,
    IfDef = 6,
    IfNDef = 7,
    PageEx = 8,
};

struct OutlineKeyword {
    OutlineRow row;
    std::string_view keyword;  // spelt as labels show it
    int image;                 // index into the six outline images; -1 for none
};

inline constexpr std::array<OutlineKeyword, 9> kOutlineKeywords{{
    {OutlineRow::Section, "Section", 0},
    {OutlineRow::MementoSection, "${MementoSection}", 0},
    {OutlineRow::SectionGroup, "SectionGroup", 1},
    {OutlineRow::SectionGroupEnd, "SectionGroupEnd", -1},
    {OutlineRow::Function, "Function", 2},
    {OutlineRow::Macro, "!macro", 3},
    {OutlineRow::IfDef, "!ifdef", 4},
    {OutlineRow::IfNDef, "!ifndef", 4},
    {OutlineRow::PageEx, "PageEx", 5},
}};

inline constexpr int kOutlineImageCount = 6;

// The scan keeps group ends in the list: they close the current level of the
// tree, and at the root they stop the reuse of old items.
struct OutlineItem {
    OutlineRow row = OutlineRow::Section;
    QString label;
    int image = -1;
    int line = 0;   // 0-based document line
    int depth = 0;  // groups open above this entry
    bool IsGroup() const { return row == OutlineRow::SectionGroup; }
    bool IsGroupEnd() const { return row == OutlineRow::SectionGroupEnd; }
    bool operator==(const OutlineItem&) const = default;
};

using OutlineItems = std::vector<OutlineItem>;
