// Lists kept in config.xml as child elements with one attribute each (RF/File, LF/File, FR/Text).
#include "config/core/entry_list.h"

#include <tinyxml2.h>

QStringList ReadEntries(const tinyxml2::XMLElement* parent, EntryList kind) {
    QStringList values;
    if (parent == nullptr)
        return values;
    for (const auto* entry = parent->FirstChildElement(kind.element); entry != nullptr;
         entry = entry->NextSiblingElement(kind.element)) {
        values << QString::fromUtf8(entry->Attribute(kind.attribute));
    }
    return values;
}

bool RewriteEntries(tinyxml2::XMLElement& parent, EntryList kind, const QStringList& values) {
    bool changed = false;
    auto* entry = parent.FirstChildElement(kind.element);
    for (const QString& value : values) {
        const QByteArray utf8 = value.toUtf8();
        if (entry == nullptr) {
            parent.InsertNewChildElement(kind.element)->SetAttribute(kind.attribute, utf8.constData());
            changed = true;
            continue;
        }
        // Exact comparison: paths on this system differ by letter case, and
        // the list must come back as it was given.
        const char* stored = entry->Attribute(kind.attribute);
        if (stored == nullptr || utf8 != stored) {
            entry->SetAttribute(kind.attribute, utf8.constData());
            changed = true;
        }
        entry = entry->NextSiblingElement(kind.element);
    }
    while (entry != nullptr) {
        auto* next = entry->NextSiblingElement(kind.element);
        parent.DeleteChild(entry);
        entry = next;
        changed = true;
    }
    return changed;
}
