#include "dialogfont.h"

#include <QFontInfo>

namespace {

QFont atDesignSize(const QString &family)
{
    QFont font(family);
    font.setPointSizeF(8.25);
    return font;
}

} // namespace

QFont dialogFont()
{
    // The first face that the font database has itself rather than a substitute for it.
    for (const QString &family : {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")}) {
        const QFont font = atDesignSize(family);
        if (QFontInfo(font).family().compare(family, Qt::CaseInsensitive) == 0)
            return font;
    }
    return atDesignSize(QStringLiteral("MS Sans Serif"));
}
