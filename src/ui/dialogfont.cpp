#include "dialogfont.h"

#include <QFontInfo>

namespace {

constexpr double DesignPointSize = 8.25;

// The face at the design's size, when the font database has it rather than a substitute.
bool installed(const QString &family, QFont *font)
{
    QFont candidate(family);
    candidate.setPointSizeF(DesignPointSize);
    if (QFontInfo(candidate).family().compare(family, Qt::CaseInsensitive) != 0)
        return false;
    *font = candidate;
    return true;
}

} // namespace

QFont dialogFont()
{
    QFont font;
    if (installed(QStringLiteral("MS Sans Serif"), &font) ||
        installed(QStringLiteral("Liberation Sans"), &font))
        return font;
    font = QFont(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(DesignPointSize);
    return font;
}
