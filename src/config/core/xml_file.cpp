// Loading an XML file into a tinyxml2 document and saving it atomically.
#include "config/core/xml_file.h"

#include <QFile>
#include <QSaveFile>

#include <tinyxml2.h>

#include <cstring>

namespace {
// The program's own files are a few hundred kilobytes; anything far larger
// is not one of them and would only cost memory.
constexpr qint64 kMaxXmlFileSize = 64 * 1024 * 1024;

// tinyxml2 accepts text or a second element beside the root, and prints
// them back as a file it then refuses: only one `root` element may stand
// at the top, among declarations, comments and doctypes.
bool HasOnlyRoot(const tinyxml2::XMLDocument& document, const char* root) {
    int elements = 0;
    for (const tinyxml2::XMLNode* node = document.FirstChild(); node != nullptr; node = node->NextSibling()) {
        if (const tinyxml2::XMLElement* element = node->ToElement()) {
            if (++elements > 1 || std::strcmp(element->Name(), root) != 0)
                return false;
        } else if (!node->ToDeclaration() && !node->ToComment() && !node->ToUnknown()) {
            return false;
        }
    }
    return elements == 1;
}

bool ParsesAsFile(const char* text, std::size_t size, tinyxml2::XMLDocument& document, const char* root) {
    return document.Parse(text, size) == tinyxml2::XML_SUCCESS && HasOnlyRoot(document, root);
}

bool PrintsAsFile(const tinyxml2::XMLPrinter& printer, const char* root) {
    tinyxml2::XMLDocument copy;
    return ParsesAsFile(printer.CStr(), std::size_t(printer.CStrSize() - 1), copy, root);
}

}  // namespace

bool LoadXmlFile(const QString& path, tinyxml2::XMLDocument& document, const char* root) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() > kMaxXmlFileSize)
        return false;
    const QByteArray data = file.read(kMaxXmlFileSize + 1);
    if (data.size() > kMaxXmlFileSize || file.error() != QFileDevice::NoError)
        return false;
    if (!ParsesAsFile(data.constData(), std::size_t(data.size()), document, root))
        return false;
    // What loads now must load again after the next save.
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    return PrintsAsFile(printer, root);
}

bool SaveXmlFile(const tinyxml2::XMLDocument& document, const QString& path, const char* root, FileAccess access) {
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    if (!PrintsAsFile(printer, root))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // The sign-in is stored here: restrict the file before it takes the old one's place.
    if (access == FileAccess::OwnerOnly && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.cancelWriting();
        return false;
    }
    const qint64 size = printer.CStrSize() - 1;  // without the terminating zero
    if (file.write(printer.CStr(), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
