// Lists kept in config.xml as child elements with one attribute each (RF/File, LF/File, FR/Text).
#pragma once

#include <QStringList>

namespace tinyxml2 {
class XMLElement;
}

struct EntryList {
    const char* element;    // child element name, e.g. "RF"
    const char* attribute;  // its attribute, e.g. "File"
};

QStringList ReadEntries(const tinyxml2::XMLElement* parent, EntryList kind);

// Rewrites the entries to equal `values`, overwriting in place where they
// differ and appending or removing at the end; true when anything changed.
bool RewriteEntries(tinyxml2::XMLElement& parent, EntryList kind, const QStringList& values);
