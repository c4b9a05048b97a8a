#include "lesson/pngcheck.h"

#include <QtEndian>

#include <array>

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";

// CRC-32 of the PNG chunks (ISO 3309, the polynomial 0xedb88320 reflected).
quint32 crc32(const char* data, qsizetype length) {
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xedb88320U ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xffffffffU;
    for (qsizetype i = 0; i < length; ++i) c = table[(c ^ static_cast<uchar>(data[i])) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffU;
}

quint32 bigEndian(const char* at) {
    return qFromBigEndian<quint32>(at);
}

} // namespace

QString PngCheck::fault(const QByteArray& png, QSize size, const QString& what) {
    if (!png.startsWith(QByteArrayView(kSignature, 8)))
        return QStringLiteral("%1が PNG ではありません。").arg(what);
    const auto broken = [&](const char* why) {
        return QStringLiteral("%1の PNG が壊れています（%2）。").arg(what, QString::fromUtf8(why));
    };
    qsizetype at = 8;
    int chunks = 0, extras = 0;
    qsizetype extraBytes = 0;
    while (true) {
        if (png.size() - at < 12) return broken("途中で切れています");
        const quint32 length = bigEndian(png.constData() + at);
        const QByteArray type = png.sliced(at + 4, 4);
        if (length > quint32(png.size() - at - 12)) return broken("途中で切れています");
        const char* data = png.constData() + at + 8;
        if (crc32(png.constData() + at + 4, length + 4) != bigEndian(data + length))
            return broken("チェックサムが合いません");
        ++chunks;
        if (chunks == 1) {
            if (type != "IHDR" || length != 13) return broken("IHDR で始まりません");
            const QSize declared(int(bigEndian(data) & 0x7fffffff), int(bigEndian(data + 4) & 0x7fffffff));
            if (bigEndian(data) != quint32(size.width()) || bigEndian(data + 4) != quint32(size.height()))
                return QStringLiteral("%1の大きさが %2 × %3 ではありません（%4 × %5 です）。")
                    .arg(what)
                    .arg(size.width())
                    .arg(size.height())
                    .arg(declared.width())
                    .arg(declared.height());
        } else if (type == "IEND") {
            if (at + 12 + qsizetype(length) != png.size()) return broken("終わりの後にデータがあります");
            return {};
        } else if (type != "IDAT" && type != "PLTE") {
            ++extras;
            extraBytes += length;
            if (extras > kMostExtraChunks || extraBytes > kMostExtraBytes)
                return broken("テキストなどの付け足しが多すぎます");
        }
        at += 12 + qsizetype(length);
    }
}
