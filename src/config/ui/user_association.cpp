// The file association of the running program for the current user, and how its failure is told.
#include "config/ui/user_association.h"

#include "platform/ui/app_icon.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

QByteArray ResourceBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString StepName(AssociationStep step) {
    switch (step) {
    case AssociationStep::MimeType: return u"写入 NSIS 文件类型 (text/x-nsis)"_s;
    case AssociationStep::Icon: return u"写入程序图标"_s;
    case AssociationStep::DesktopEntry: return u"写入程序启动项 (scrivo.desktop)"_s;
    case AssociationStep::DefaultApplication: return u"设为默认打开程序 (mimeapps.list)"_s;
    case AssociationStep::MimeCache: return u"刷新文件类型数据库 (update-mime-database)"_s;
    case AssociationStep::DesktopCache: return u"刷新程序数据库 (update-desktop-database)"_s;
    }
    return {};
}

}  // namespace

AssociationRequest UserAssociationRequest() {
    AssociationRequest request;
    request.executable = QCoreApplication::applicationFilePath();
    request.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    request.configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    request.mimePackage = ResourceBytes(u":/desktop/scrivo-nsis.xml"_s);
    request.desktopEntry = ResourceBytes(u":/desktop/scrivo.desktop"_s);
    for (const int size : kAppIconSizes)
        request.icons.emplace_back(u"%1x%1/apps/scrivo.png"_s.arg(size), ResourceBytes(AppIconResource(size)));
    request.icons.emplace_back(u"scalable/apps/scrivo.svg"_s, ResourceBytes(u":/icons/scrivo.svg"_s));
    request.desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").toLower().split(u':', Qt::SkipEmptyParts);
    return request;
}

QString AssociationFailureText(const AssociationResult& result) {
    QStringList steps;
    for (const AssociationStep step : result.failed)
        steps << u"  · "_s + StepName(step);
    return u"未能注册为默认的NSIS文件编辑器，以下步骤失败：\n"_s + steps.join(u'\n');
}

QString AssociationOverriddenText(const AssociationResult& result) {
    return u"已设为默认的NSIS文件编辑器，但当前桌面的设置文件\n%1\n仍指定 %2 打开NSIS文件，它的设置优先。"
           u"请在桌面的“默认应用程序”设置中选择 Scrivo。"_s.arg(result.overriddenBy,
                                                                QString::fromUtf8(result.otherDefault));
}
