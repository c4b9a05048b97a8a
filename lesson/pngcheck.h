#pragma once
#include <QByteArray>
#include <QSize>
#include <QString>

// A PNG's chunks checked before anything decodes it, so that a hostile picture costs no
// more than reading its bytes once: the signature, every chunk's length and checksum, the
// header's size, the end. Compressed text and other extras are inflated by the decoder
// even before it reports the size, so only a few small ones are let through.
class PngCheck {
  public:
    static constexpr int kMostExtraChunks = 16;
    static constexpr qsizetype kMostExtraBytes = 64 * 1024;

    // Why `png` is not a sound PNG of exactly `size`, in Japanese (`what` names the
    // picture); an empty text when it is.
    static QString fault(const QByteArray& png, QSize size, const QString& what);
};
