#pragma once

#include <QString>

// The maker's contact details that the About window shows. They are reserved example values, so that
// neither the link nor the numbers can ever reach a real person.
namespace MakerContact {
inline const QString website = QStringLiteral("www.example.com");
inline const QString phone = QStringLiteral("+1 202 555 0147");
inline const QString email = QStringLiteral("help@example.com");
} // namespace MakerContact
