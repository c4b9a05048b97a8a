#pragma once
#include <QImage>
#include <QRgb>

#include <cstdint>
#include <vector>

// The drawing area of the window: an 875 x 625 pixel image on which the figure's
// fills, outlines and the memo ink are drawn. Every operation changes the image at
// once, so a flood fill sees the outlines drawn just before it.
class Canvas {
  public:
    static constexpr int kWidth = 875;
    static constexpr int kHeight = 625;

    enum class FillStyle { Transparent, Solid };

    Canvas();

    void clear();
    void setPenWidth(int width) { penWidth_ = width < 1 ? 1 : width; }
    int penWidth() const { return penWidth_; }
    void setPenColour(QRgb colour) { penColour_ = colour; }
    QRgb penColour() const { return penColour_; }
    void setTextSize(int points) { textSize_ = points; }
    int textSize() const { return textSize_; }
    void setFillStyle(FillStyle style) { fillStyle_ = style; }
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillColour(QRgb colour) { fillColour_ = colour; }
    QRgb fillColour() const { return fillColour_; }

    // Straight segment in the current pen width; a zero-length segment leaves a dot.
    void segment(float x1, float y1, float x2, float y2, QRgb colour);
    // Whole circle outline in the current pen width; with a solid fill style the disc
    // is painted in the fill colour first.
    void circle(float cx, float cy, float radius, QRgb colour);
    // Paints the 4-connected region around the seed that is bounded by pixels of
    // exactly `border`. A seed outside the image or on a border pixel does nothing.
    void floodFill(int x, int y, QRgb border);

    // The drawn image as it stands, for printing.
    QImage snapshot() const { return image_.copy(); }
    const QImage& image() const { return image_; }
    // Puts a kept drawing back. It shares the kept image until the next operation
    // writes; a picture of another size is refused (false) and the drawing stays.
    bool restore(const QImage& picture);
    QRgb pixel(int x, int y) const { return image_.pixel(x, y); }

  private:
    void plot(int x, int y, QRgb colour);
    void thinSegment(int x1, int y1, int x2, int y2, QRgb colour);
    void thinCircle(int cx, int cy, int radius, QRgb colour);
    void paintedSegment(float x1, float y1, float x2, float y2, QRgb colour);
    void paintedCircle(float cx, float cy, float radius, QRgb colour);
    void roundDot(float x, float y, QRgb colour);
    void solidDisc(float cx, float cy, float radius);
    // Re-reads the pixel pointer: the image may have been shared and detached since.
    void beginDirect();
    QRgb* row(int y) { return reinterpret_cast<QRgb*>(bits_ + y * stride_); }

    QImage image_;
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    int penWidth_ = 1;
    QRgb penColour_ = 0xff000000;
    QRgb fillColour_ = 0xff000000;
    FillStyle fillStyle_ = FillStyle::Transparent;
    int textSize_ = 8;

    // Reused by every flood fill so that filling allocates nothing: the rows still to
    // search, and one bit per pixel for the pixels reached. A row's bits count only
    // when its stamp is that of the running fill; they are cleared when first used.
    struct Segment {
        int y, left, right, direction;
    };
    std::vector<Segment> pending_;
    static constexpr int kReachedWords = (kWidth + 63) / 64;
    std::vector<std::uint64_t> reached_;
    std::vector<std::uint32_t> reachedStamp_;
    std::uint32_t fillStamp_ = 0;
    std::uint64_t* reachedRow(int y);
};
