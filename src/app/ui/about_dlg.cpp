// CAboutDlg: the About dialog with the program's and the installed compiler's versions.
#include "app/ui/about_dlg.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
// The banner's light lettering is drawn for the start page's dark band: it gets that band here too.
QPixmap BannerPicture() {
    const QPixmap lettering(u":/startpage/banner.png"_s);
    const QPixmap band(u":/startpage/top_bg.png"_s);
    constexpr int kMargin = 15;
    QPixmap picture(lettering.width() + 2 * kMargin, std::max(band.height(), lettering.height()));
    QPainter painter(&picture);
    painter.drawPixmap(picture.rect(), band);
    painter.drawPixmap(kMargin, (picture.height() - lettering.height()) / 2, lettering);
    return picture;
}
}  // namespace

CAboutDlg::CAboutDlg(const QString& nsisVersion, const QUrl& siteUrl, QWidget* parent) : QDialog(parent) {
    setWindowTitle(u"关于"_s);
    auto* banner = new QLabel(this);
    banner->setObjectName(u"banner"_s);
    banner->setPixmap(BannerPicture());
    banner->setScaledContents(false);
    auto* version = new QLabel(u"软件版本："_s + QStringLiteral(SCRIVO_VERSION), this);
    version->setObjectName(u"programVersion"_s);
    auto* nsis = new QLabel(u"NSIS版本："_s + (nsisVersion.isEmpty() ? u"未找到"_s : nsisVersion), this);
    nsis->setObjectName(u"nsisVersion"_s);
    const QString site = siteUrl.toString();
    auto* link = new QLabel(u"官方网站：<a href=\"%1\">%1</a>"_s.arg(site.toHtmlEscaped()), this);
    link->setObjectName(u"siteLink"_s);
    link->setTextFormat(Qt::RichText);
    link->setOpenExternalLinks(true);
    auto* close = new QPushButton(u"关闭"_s, this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->addWidget(banner);
    auto* text = new QVBoxLayout;
    text->setContentsMargins(16, 8, 16, 0);
    for (QLabel* label : {version, nsis, link})
        text->addWidget(label);
    layout->addLayout(text);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
