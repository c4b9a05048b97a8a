#include "app/form1.h"

#include "widgets/safesave.h"

#include <QBuffer>
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

QImage Form1::DrawingAreaImage() {
    QImage image(Canvas::kWidth, Canvas::kHeight, QImage::Format_RGB32);
    const int offset = CanvasWidget::kDrawingOffset;
    pictureTaking = true;
    AtDesignSize([&](QWidget&) {
        gamenView->render(&image, QPoint(), QRegion(offset, offset, Canvas::kWidth, Canvas::kHeight));
    });
    pictureTaking = false;
    return image;
}

QImage Form1::WindowImage() {
    QImage image;
    pictureTaking = true;
    AtDesignSize([&](QWidget& window) {
        image = QImage(window.size(), QImage::Format_RGB32);
        window.render(&image);
    });
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
    const QString title = QStringLiteral("図を画像として書き出す");
    savePrompt->setZoom(zoom());
    const QString chosen = savePrompt->ask(this, title, QDir(folder).filePath(SuggestedPictureName()));
    // The file really written: a typed name gets ".png", and that is the file asked about.
    const QString path = SavePrompt::writtenPath(chosen, QStringLiteral("png"));
    if (path.isEmpty()) return;
    if (QFileInfo::exists(path) && !savePrompt->confirmReplace(this, title, path)) return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    const QString reason = SafeSave::write(path, png);
    if (!reason.isEmpty()) {
        QMessageBox::warning(
            this, title,
            QStringLiteral("保存できませんでした。\n%1\n%2").arg(QDir::toNativeSeparators(path), reason));
    }
}
