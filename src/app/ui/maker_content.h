// The maker's start-page content, made safe to splice into the start page.
#pragma once

#include <QString>

// Content from the network may show text, images and links to web pages, but a
// link of any other kind (the start page's own command links, qrc:, file:,
// relative addresses that resolve into the page) would run one of our commands.
// The content is read as the browser reads it and written out again without
// those links, so no spelling of an attribute can slip past.
QString SafeMakerContent(const QString& html);
