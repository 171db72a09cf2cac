// The program's icon, drawn in every size the desktop asks for.
#include "platform/ui/app_icon.h"

using namespace Qt::StringLiterals;

QString AppIconResource(int size) { return u":/icons/scrivo-%1.png"_s.arg(size); }

QIcon AppIcon() {
    QIcon icon;
    for (const int size : kAppIconSizes)
        icon.addFile(AppIconResource(size), QSize(size, size));
    return icon;
}
