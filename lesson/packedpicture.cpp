#include "lesson/packedpicture.h"

#include <algorithm>

namespace {

// Runs take two words each; beyond this share of the pixels they save nothing.
bool runsPay(std::size_t words, std::size_t pixels) {
    return words < pixels;
}

} // namespace

PackedPicture::PackedPicture(const QImage& picture)
    : size_(picture.size()), format_(picture.format()), sourceKey_(picture.cacheKey()) {
    // Only 32-bit pictures without padding are run-packed; the canvas's always are.
    if (picture.isNull() || picture.depth() != 32 || picture.bytesPerLine() != picture.width() * 4) {
        raw_ = picture;
        return;
    }
    const std::size_t pixels = static_cast<std::size_t>(picture.width()) * picture.height();
    const auto* pixel = reinterpret_cast<const QRgb*>(picture.constBits());
    const QRgb* const end = pixel + pixels;
    while (pixel != end) {
        const QRgb colour = *pixel;
        const QRgb* runEnd = std::find_if(pixel + 1, end, [colour](QRgb p) { return p != colour; });
        runs_.push_back(static_cast<quint32>(runEnd - pixel));
        runs_.push_back(colour);
        pixel = runEnd;
        if (!runsPay(runs_.size(), pixels)) {
            runs_.clear();
            runs_.shrink_to_fit();
            raw_ = picture;
            return;
        }
    }
    runs_.shrink_to_fit();
}

QImage PackedPicture::unpack() const {
    if (runs_.empty()) return raw_;
    QImage picture(size_, format_);
    auto* pixel = reinterpret_cast<QRgb*>(picture.bits());
    for (std::size_t i = 0; i + 1 < runs_.size(); i += 2) pixel = std::fill_n(pixel, runs_[i], runs_[i + 1]);
    return picture;
}

std::size_t PackedPicture::bytes() const {
    return runs_.capacity() * sizeof(quint32) + static_cast<std::size_t>(raw_.sizeInBytes());
}

bool PackedPicture::operator==(const PackedPicture& other) const {
    if (size_ != other.size_ || format_ != other.format_) return false;
    if (!runs_.empty() || !other.runs_.empty()) return runs_ == other.runs_;
    return raw_ == other.raw_;
}
