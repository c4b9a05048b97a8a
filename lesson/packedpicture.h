#pragma once
#include <QImage>
#include <QRect>
#include <QRgb>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

// A canvas picture kept small for the undo history. The picture is cut into tiles, and
// a tile is kept as runs of one colour: the drawing is flat colours (fills, 1-px
// outlines, ink without antialiasing). A tile the same as the neighbouring step's is
// shared with it, so a memo stroke costs the tiles it crossed, not a whole picture.
class PackedPicture {
  public:
    static constexpr int kTileSide = 64;

    // `picture` packed; tiles with the same pixels as those of `like` are shared with it.
    explicit PackedPicture(const QImage& picture, const PackedPicture* like = nullptr);

    QImage unpack() const;
    // Calls `visit(part, bytes)` for each part of memory the picture holds: its own
    // list and each tile, which other pictures may hold too.
    void forEachPart(const std::function<void(const void* part, std::size_t bytes)>& visit) const;
    // The key of the image it was packed from: an image with the same key has the same pixels.
    qint64 sourceKey() const { return sourceKey_; }
    bool operator==(const PackedPicture& other) const;

  private:
    struct Tile {
        bool raw = false;           // the words are the tile's pixels, row after row
        std::vector<quint32> words; // otherwise pairs of (length, colour) over them
        bool operator==(const Tile&) const = default;
    };
    static Tile pack(const QImage& picture, QRect area);
    static void unpack(const Tile& tile, QImage& picture, QRect area);
    QRect area(std::size_t index) const;

    QSize size_;
    QImage::Format format_ = QImage::Format_Invalid;
    std::vector<std::shared_ptr<const Tile>> tiles_; // row after row of tiles
    QImage whole_;                                   // pictures that are not 32-bit are kept as they are
    qint64 sourceKey_ = 0;
};
