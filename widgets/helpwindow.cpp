#include "widgets/helpwindow.h"

#include "canvas/fonts.h"
#include "widgets/dialogzoom.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const QString& title, const QList<QPair<QString, QString>>& rows, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    setModal(false);
    QString html = QStringLiteral("<table cellspacing='0' cellpadding='4'>");
    for (const auto& [key, meaning] : rows) {
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                    .arg(key.toHtmlEscaped(), meaning.toHtmlEscaped());
    }
    html += QStringLiteral("</table>");
    table_ = new QLabel(html, this);
    table_->setFont(fonts::gothic(12));
    table_->setTextFormat(Qt::RichText);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    close->setFont(fonts::gothic(12));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);
}

QString HelpWindow::text() const {
    return table_->text();
}

void HelpWindow::setZoom(double factor) {
    dialogzoom::apply(*this, factor);
}
