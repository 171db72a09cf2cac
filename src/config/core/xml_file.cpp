// Loading an XML file into a tinyxml2 document and saving it atomically.
#include "config/core/xml_file.h"

#include <QFile>
#include <QSaveFile>

#include <tinyxml2.h>

namespace {
// The program's own files are a few hundred kilobytes; anything far larger
// is not one of them and would only cost memory.
constexpr qint64 kMaxXmlFileSize = 64 * 1024 * 1024;
}

bool LoadXmlFile(const QString& path, tinyxml2::XMLDocument& document) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() > kMaxXmlFileSize)
        return false;
    const QByteArray data = file.read(kMaxXmlFileSize + 1);
    if (data.size() > kMaxXmlFileSize || file.error() != QFileDevice::NoError)
        return false;
    return document.Parse(data.constData(), size_t(data.size())) == tinyxml2::XML_SUCCESS;
}

bool SaveXmlFile(const tinyxml2::XMLDocument& document, const QString& path, FileAccess access) {
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // The sign-in is stored here: restrict the file before it takes the old one's place.
    if (access == FileAccess::OwnerOnly &&
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
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
