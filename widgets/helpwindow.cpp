#include "widgets/helpwindow.h"

#include "canvas/fonts.h"
#include "widgets/dialogzoom.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int kLineLength = 46; // full-width characters a line of text holds

// Asks for the whole text at a width of kLineLength characters of its font, so that
// the window opens showing all of it where the screen allows (it is kept on the screen
// and scrolls there).
class TextArea : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const QWidget* text = widget();
        if (text == nullptr) return QScrollArea::sizeHint();
        const int width = text->fontMetrics().horizontalAdvance(QString(kLineLength, QChar(0x5168)));
        const int frame = 2 * frameWidth();
        const int bar = verticalScrollBar()->sizeHint().width();
        return {width + frame + bar, text->heightForWidth(width) + frame};
    }
};

} // namespace

HelpWindow::HelpWindow(const QString& title, const Rows& sections, const QString& keysHeading,
                       const Rows& keys, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    setModal(false);
    QString html;
    for (const auto& [heading, body] : sections)
        html += QStringLiteral("<h3>%1</h3><p>%2</p>").arg(heading.toHtmlEscaped(), body.toHtmlEscaped());
    html +=
        QStringLiteral("<h3>%1</h3><table cellspacing='0' cellpadding='4'>").arg(keysHeading.toHtmlEscaped());
    for (const auto& [key, meaning] : keys) {
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                    .arg(key.toHtmlEscaped(), meaning.toHtmlEscaped());
    }
    html += QStringLiteral("</table>");
    text_ = new QLabel(html);
    text_->setFont(fonts::gothic(12));
    text_->setTextFormat(Qt::RichText);
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setContentsMargins(8, 0, 8, 8);
    text_->setAutoFillBackground(false);

    auto* area = new TextArea(this);
    area->setWidgetResizable(true);
    area->setWidget(text_);
    area->setFrameShape(QFrame::NoFrame);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    close->setFont(fonts::gothic(12));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(area);
    layout->addWidget(buttons);
}

QString HelpWindow::text() const {
    return text_->text();
}

void HelpWindow::setZoom(double factor) {
    dialogzoom::apply(*this, factor);
}
