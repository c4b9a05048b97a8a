#include "app/form1.h"

#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QStandardPaths>

// Pictures of the figure for worksheets: the drawing area or the whole window, on
// the clipboard or in a PNG file. The drawing area is taken as it shows, canvas and
// marks together, always at its design size; the keyboard's focus ring stays out.

namespace {

// Design sizes of the canvas widget (frame included) and of the window.
constexpr int kCanvasWidgetWidth = 878;
constexpr int kWindowWidth = 1014;
constexpr int kWindowHeight = 700;

// `widget` painted into an image of `size` with the widget's point `origin` (in its
// design units) at the image's corner. A widget shown larger than `designWidth` is
// painted scaled down, so the picture keeps its design size.
QImage paintedImage(QWidget& widget, QSize size, QPoint origin, int designWidth) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const double scale = static_cast<double>(widget.width()) / designWidth;
    if (scale > 0 && scale != 1) painter.scale(1 / scale, 1 / scale);
    const QPointF shown = QPointF(origin) * (scale > 0 ? scale : 1);
    widget.render(&painter, -shown.toPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace

QImage Form1::DrawingAreaImage() {
    const int offset = CanvasWidget::kDrawingOffset;
    pictureTaking = true;
    QImage image = paintedImage(*gamenView, QSize(Canvas::kWidth, Canvas::kHeight), QPoint(offset, offset),
                                kCanvasWidgetWidth);
    pictureTaking = false;
    return image;
}

QImage Form1::WindowImage() {
    pictureTaking = true;
    QImage image = paintedImage(*this, QSize(kWindowWidth, kWindowHeight), QPoint(0, 0), kWindowWidth);
    pictureTaking = false;
    return image;
}

void Form1::CopyDrawingArea() {
    QGuiApplication::clipboard()->setImage(DrawingAreaImage());
}

void Form1::CopyWindow() {
    QGuiApplication::clipboard()->setImage(WindowImage());
}

// A name that is valid on every file system: letters, digits, '-' and '_' only.
QString Form1::SuggestedPictureName() const {
    return QStringLiteral("enshukaku_%1.png")
        .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HHmmss")));
}

void Form1::SaveDrawingArea() {
    const QImage picture = DrawingAreaImage();
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    const QString title = QStringLiteral("図を画像として保存");
    QString path = savePrompt->ask(this, title, QDir(folder).filePath(SuggestedPictureName()));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().compare(QStringLiteral("png"), Qt::CaseInsensitive) != 0) {
        path += QStringLiteral(".png");
    }
    if (!picture.save(path, "PNG")) {
        QMessageBox::warning(
            this, title, QStringLiteral("保存できませんでした。\n%1").arg(QDir::toNativeSeparators(path)));
    }
}
