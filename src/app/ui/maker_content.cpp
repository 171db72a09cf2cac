// The maker's start-page content, made safe to splice into the start page.
#include "app/ui/maker_content.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <utility>

namespace {

bool IsWebLink(const QString& href) {
    const QString scheme = QUrl(href.trimmed()).scheme().toLower();
    return scheme == QLatin1StringView("http") || scheme == QLatin1StringView("https");
}

// Takes the address off every link in the range; the text stays.
void DropLink(QTextDocument& document, int position, int length) {
    QTextCursor cursor(&document);
    cursor.setPosition(position);
    cursor.setPosition(position + length, QTextCursor::KeepAnchor);
    QTextCharFormat plain;
    plain.setAnchor(false);
    plain.setAnchorHref(QString());
    cursor.mergeCharFormat(plain);
}

// The inside of the body that QTextDocument::toHtml writes.
QString BodyOf(const QString& html) {
    const qsizetype bodyTag = html.indexOf(QLatin1StringView("<body"));
    const qsizetype start = bodyTag < 0 ? -1 : html.indexOf(u'>', bodyTag);
    const qsizetype end = html.lastIndexOf(QLatin1StringView("</body>"));
    return start < 0 || end < start ? QString() : html.mid(start + 1, end - start - 1);
}

}  // namespace

QString SafeMakerContent(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    // Collected first: changing a format splits and merges the fragments being walked.
    QList<std::pair<int, int>> foreign;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.anchorHref().isEmpty() && !IsWebLink(format.anchorHref()))
                foreign.append({it.fragment().position(), it.fragment().length()});
        }
    }
    for (const auto& [position, length] : foreign)
        DropLink(document, position, length);
    return BodyOf(document.toHtml());
}
