#include "textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace TextCodec {

// A line feed byte is never part of a longer UTF-8 sequence, nor a character of Windows-1252, so the
// bytes can be cut into lines before either is decoded.
QString decode(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype lineFeed = bytes.indexOf('\n', start);
        const qsizetype end = lineFeed < 0 ? bytes.size() : lineFeed + 1;
        const QByteArrayView line(bytes.constData() + start, end - start);
        // A byte order mark is dropped at the start of the file only, as a decoder of the whole would.
        QStringConverter::Flags flags = QStringConverter::Flag::Stateless;
        if (start > 0)
            flags |= QStringConverter::Flag::ConvertInitialBom;
        QStringDecoder utf8(QStringDecoder::Utf8, flags);
        const QString decoded = utf8.decode(line);
        text += utf8.hasError() ? decodeWindows1252(line) : decoded;
        start = end;
    }
    return text;
}

QByteArray encode(const QString &text)
{
    return text.toUtf8();
}

QString decodeWindows1252(QByteArrayView bytes)
{
    // 0x80 to 0x9F differ from Latin-1; the five bytes that Windows-1252 leaves undefined map to the C1
    // controls of the same value, as Windows itself does.
    static constexpr std::array<char16_t, 32> high = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes.at(i));
        text[i] = (byte >= 0x80 && byte <= 0x9F) ? QChar(high[byte - 0x80]) : QChar(byte);
    }
    return text;
}

} // namespace TextCodec
