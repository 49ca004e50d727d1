#pragma once

#include <QByteArray>
#include <QString>

// Text files are written in UTF-8. Files carried over from older installs were written in Windows-1252,
// so reading takes UTF-8 when the bytes are valid UTF-8 and Windows-1252 otherwise.
namespace TextCodec {

QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);

// Windows-1252 alone, for callers that already know the bytes are not UTF-8.
QString decodeWindows1252(const QByteArray &bytes);

} // namespace TextCodec
