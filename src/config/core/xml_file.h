// Loading an XML file into a tinyxml2 document and saving it atomically.
#pragma once

#include <QString>

namespace tinyxml2 {
class XMLDocument;
}

enum class FileAccess { Default, OwnerOnly };

// False when the file is missing, unreadable, too large or not well-formed XML.
bool LoadXmlFile(const QString& path, tinyxml2::XMLDocument& document);
// Writes through a temporary file: a failed save leaves the old file intact.
bool SaveXmlFile(const tinyxml2::XMLDocument& document, const QString& path,
                 FileAccess access = FileAccess::Default);
