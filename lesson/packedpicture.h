#pragma once
#include <QImage>
#include <QRgb>

#include <cstddef>
#include <vector>

// A canvas picture kept small for the undo history: the drawing is flat colours
// (fills, 1-px outlines, ink without antialiasing), so runs of one colour take a
// fraction of the raw pixels. A picture that would not get smaller is kept raw.
class PackedPicture {
  public:
    explicit PackedPicture(const QImage& picture);

    QImage unpack() const;
    // The memory held by the picture's data.
    std::size_t bytes() const;
    // The key of the image it was packed from: an image with the same key has the same pixels.
    qint64 sourceKey() const { return sourceKey_; }
    bool operator==(const PackedPicture& other) const;

  private:
    QSize size_;
    QImage::Format format_ = QImage::Format_Invalid;
    // Pairs of (length, colour) over the pixels row after row.
    std::vector<quint32> runs_;
    QImage raw_; // kept as it is where runs would not be smaller
    qint64 sourceKey_ = 0;
};
