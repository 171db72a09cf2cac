// Texts the editing commands put into a script: case changes, quotes, colour values and file names.
#include "editor/core/text_transform.h"

QString TransformText(const QString& text, TransformKind kind) {
    if (kind == TransformKind::Quote)
        return u'"' + text + u'"';
    QString result = text;
    for (QChar& c : result) {
        switch (kind) {
        case TransformKind::Upper: c = c.toUpper(); break;
        case TransformKind::Lower: c = c.toLower(); break;
        case TransformKind::Invert:
            if (c >= u'a' && c <= u'z')
                c = QChar(c.unicode() - u'a' + u'A');
            else if (c >= u'A' && c <= u'Z')
                c = QChar(c.unicode() - u'A' + u'a');
            break;
        case TransformKind::Quote: break;
        }
    }
    return result;
}

QString ColourText(std::uint32_t colour) {
    return QString::asprintf("%02X%02X%02X", unsigned(colour & 0xFF), unsigned((colour >> 8) & 0xFF),
                             unsigned((colour >> 16) & 0xFF));
}

QString FileNameText(const QString& path) { return u'"' + path + u'"'; }
