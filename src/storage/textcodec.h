#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Text files are written in UTF-8. Files carried over from older installs were written in Windows-1252,
// and a file edited by hand may hold both; so reading takes each line on its own, as UTF-8 when the line
// is valid UTF-8 and as Windows-1252 otherwise.
namespace TextCodec {

QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);

// Windows-1252 alone, for callers that already know the bytes are not UTF-8.
QString decodeWindows1252(QByteArrayView bytes);

} // namespace TextCodec
