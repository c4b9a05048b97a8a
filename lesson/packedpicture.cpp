#include "lesson/packedpicture.h"

#include <algorithm>

PackedPicture::PackedPicture(const QImage& picture, const PackedPicture* like)
    : size_(picture.size()), format_(picture.format()), sourceKey_(picture.cacheKey()) {
    if (picture.isNull() || picture.depth() != 32) {
        whole_ = picture;
        return;
    }
    const bool sameShape = like != nullptr && like->size_ == size_ && like->format_ == format_;
    const int columns = (size_.width() + kTileSide - 1) / kTileSide;
    const int rows = (size_.height() + kTileSide - 1) / kTileSide;
    tiles_.reserve(static_cast<std::size_t>(columns) * rows);
    for (std::size_t i = 0; i < static_cast<std::size_t>(columns) * rows; ++i) {
        tiles_.push_back(nullptr);
        auto tile = std::make_shared<const Tile>(pack(picture, area(i)));
        if (sameShape && *like->tiles_[i] == *tile)
            tiles_.back() = like->tiles_[i];
        else
            tiles_.back() = std::move(tile);
    }
}

QRect PackedPicture::area(std::size_t index) const {
    const int columns = (size_.width() + kTileSide - 1) / kTileSide;
    const int column = static_cast<int>(index) % columns, row = static_cast<int>(index) / columns;
    return QRect(column * kTileSide, row * kTileSide, kTileSide, kTileSide) & QRect(QPoint(0, 0), size_);
}

PackedPicture::Tile PackedPicture::pack(const QImage& picture, QRect area) {
    Tile tile;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y)) + area.left();
        const QRgb* const end = line + area.width();
        while (line != end) {
            const QRgb colour = *line;
            const QRgb* runEnd = std::find_if(line + 1, end, [colour](QRgb p) { return p != colour; });
            const auto length = static_cast<quint32>(runEnd - line);
            // A run goes on from the row above where the colour does.
            if (!tile.words.empty() && tile.words.back() == colour)
                tile.words[tile.words.size() - 2] += length;
            else
                tile.words.insert(tile.words.end(), {length, colour});
            line = runEnd;
        }
    }
    // Runs that would take more room than the pixels: the pixels themselves.
    if (tile.words.size() > static_cast<std::size_t>(area.width()) * area.height()) {
        tile.raw = true;
        tile.words.clear();
        for (int y = area.top(); y <= area.bottom(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y)) + area.left();
            tile.words.insert(tile.words.end(), line, line + area.width());
        }
    }
    tile.words.shrink_to_fit();
    return tile;
}

void PackedPicture::unpack(const Tile& tile, QImage& picture, QRect area) {
    const int width = area.width();
    if (tile.raw) {
        for (int y = 0; y < area.height(); ++y)
            std::copy_n(tile.words.data() + static_cast<std::size_t>(y) * width, width,
                        reinterpret_cast<QRgb*>(picture.scanLine(area.top() + y)) + area.left());
        return;
    }
    int x = 0, y = area.top();
    QRgb* line = reinterpret_cast<QRgb*>(picture.scanLine(y)) + area.left();
    for (std::size_t i = 0; i + 1 < tile.words.size(); i += 2) {
        quint32 length = tile.words[i];
        const QRgb colour = tile.words[i + 1];
        while (length > 0) {
            const int part = static_cast<int>(std::min<quint32>(length, static_cast<quint32>(width - x)));
            std::fill_n(line + x, part, colour);
            x += part;
            length -= static_cast<quint32>(part);
            if (x == width && ++y <= area.bottom()) {
                x = 0;
                line = reinterpret_cast<QRgb*>(picture.scanLine(y)) + area.left();
            }
        }
    }
}

QImage PackedPicture::unpack() const {
    if (tiles_.empty()) return whole_;
    QImage picture(size_, format_);
    for (std::size_t i = 0; i < tiles_.size(); ++i) unpack(*tiles_[i], picture, area(i));
    return picture;
}

void PackedPicture::forEachPart(const std::function<void(const void*, std::size_t)>& visit) const {
    visit(this, sizeof(*this) + tiles_.capacity() * sizeof(tiles_[0]) +
                    static_cast<std::size_t>(whole_.sizeInBytes()));
    for (const auto& tile : tiles_)
        visit(tile.get(), sizeof(Tile) + tile->words.capacity() * sizeof(quint32));
}

bool PackedPicture::operator==(const PackedPicture& other) const {
    if (size_ != other.size_ || format_ != other.format_ || tiles_.size() != other.tiles_.size())
        return false;
    if (tiles_.empty()) return whole_ == other.whole_;
    for (std::size_t i = 0; i < tiles_.size(); ++i)
        if (tiles_[i] != other.tiles_[i] && !(*tiles_[i] == *other.tiles_[i])) return false;
    return true;
}
