// Loading an XML file into a tinyxml2 document and saving it atomically.
#pragma once

#include <QString>

namespace tinyxml2 {
class XMLDocument;
}

enum class FileAccess { Default, OwnerOnly };

// False when the file is missing, unreadable, too large, not well-formed XML,
// not a single `root` element, or would not load again once saved.
bool LoadXmlFile(const QString& path, tinyxml2::XMLDocument& document, const char* root);
// Writes through a temporary file: a failed save leaves the old file intact,
// and a document that would not load back as a `root` file is not written.
bool SaveXmlFile(const tinyxml2::XMLDocument& document, const QString& path, const char* root,
                 FileAccess access = FileAccess::Default);
