#include "widgets/aboutbox.h"

#include "widgets/dialogzoom.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

namespace {
const QString kAddress = QStringLiteral("https://github.com/enshukaku/enshukaku");
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("このプログラムについて"));
    text_ = new QLabel(this);
    text_->setTextFormat(Qt::RichText);
    text_->setOpenExternalLinks(true);
    text_->setTextInteractionFlags(Qt::TextBrowserInteraction);
    text_->setText(QStringLiteral("<p><b>円周角の定理</b> (enshukaku)<br>バージョン %1</p>"
                                  "<p>円周角の定理を学ぶ授業のための教材です。</p>"
                                  "<p>ライセンス: MIT<br>Qt %2</p>"
                                  "<p><a href='%3'>%3</a></p>")
                       .arg(QStringLiteral(ENSHUKAKU_VERSION), QString::fromLatin1(qVersion()), kAddress));

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(buttons);
}

QString AboutBox::text() const {
    return text_->text();
}

void AboutBox::setZoom(double factor) {
    dialogzoom::apply(*this, factor);
}
