#include "app/form1.h"

#include "widgets/notice.h"

// A key or command that would change nothing the class can see does nothing, and the
// window says why: in a short message over the drawing area and to screen readers.

void Form1::ShowReason(const QString& text) {
    if (notice == nullptr) notice = new Notice(*this, *gamenView);
    notice->tell(text, zoom());
    figureAccess().Say(text);
}

bool Form1::PointPShown() const {
    return marks.Shape4.visible || marks.Label2[0].visible || marks.Line1[3].visible ||
           marks.Line1[2].visible;
}

void Form1::TellPointPHidden() {
    ShowReason(QStringLiteral("点Ｐが表示されていないので動かせません。「点Ｐ」にチェックを入れてください"));
}
