#include "app/form1.h"

#include "canvas/fonts.h"

#include <QButtonGroup>
#include <QPalette>

#include <algorithm>
#include <iterator>

namespace {

const QColor kPaleGreen(192, 255, 192);

template <typename Widget> Widget* place(Widget* widget, int x, int y, int w, int h, const QFont& font) {
    widget->setGeometry(x, y, w, h);
    widget->setFont(font);
    return widget;
}

QLabel* label(const char* caption, QWidget* parent, int x, int y, int w, int h, const QFont& font,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
    auto* result = place(new QLabel(QString::fromUtf8(caption), parent), x, y, w, h, font);
    result->setAlignment(alignment);
    return result;
}

void setTextColour(QWidget* widget, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    // First: screen readers ask for the controls' interfaces as soon as they exist.
    figureAccess_ = std::make_unique<FigureAccess>(*this);
    fonts::installSubstitutions();
    setFixedSize(1014, 700);
    QPalette background = palette();
    background.setColor(QPalette::Window, kPaleGreen);
    setPalette(background);
    setAutoFillBackground(true);
    // The controls stand on a client area of their own, which the zoom scales and full
    // screen centres; the window's pale green shows around it.
    clientArea = new QWidget(this);
    clientArea->setGeometry(0, 0, 1014, 700);
    clientArea->setAutoFillBackground(true);

    createControls();
    connectHandlers();
    ConnectKeyboard();
    createZoomKeys();
    CreateMenuBar();
    SetAccessibleNames();
    Form_Load();
    figureAccess_->FollowFigure();
    lessonFiles = new LessonFiles(*this);
}

// The controls outlive the Form1 part of the window by the QWidget destructor, which
// takes the focus from them and hides them: their signals must not reach a handler
// of a window that is gone.
Form1::~Form1() {
    figureAccess_.reset();
    for (QWidget* control : clientArea->findChildren<QWidget*>()) control->blockSignals(true);
}

void Form1::createControls() {
    const QFont panel = fonts::gothic(12);
    const QFont panelBold = fonts::gothic(12, true);
    const QFont boxes = fonts::gothic(14.25, true);
    const QFont small = fonts::gothic(8.25);
    const QFont standard = fonts::gothic(9);

    gamenView = new CanvasWidget(gamen, marks, clientArea);
    gamenView->setGeometry(16, 56, 878, 630);

    Label1 = label("円周角", clientArea, 24, 8, 99, 33, fonts::gothic(24, true));
    Label1->setAutoFillBackground(true);
    QPalette title = Label1->palette();
    title.setColor(QPalette::Window, QColor(0, 128, 0));
    title.setColor(QPalette::WindowText, QColor(0, 255, 0));
    Label1->setPalette(title);
    Label1->adjustSize();

    auto button = [&](const char* caption, int x, int y, int w, int h) {
        return place(new PushButton(QString::fromUtf8(caption), clientArea), x, y, w, h, panel);
    };
    Command1 = button("初期画面", 152, 8, 81, 33);
    Command6 = button("印刷", 256, 16, 57, 25);
    Command5 = button("直線", 344, 8, 57, 33);
    Command3 = button("メモ", 584, 8, 57, 33);
    Command4 = button("方眼", 928, 8, 65, 33);
    Command7[0] = button("跡を残す", 912, 400, 81, 33);
    Command7[1] = button("跡を消す", 912, 464, 81, 33);
    Command2 = button("終了", 912, 656, 81, 33);

    auto option = [&](const char* caption, int x, int y, int w) {
        return place(new OptionButton(QString::fromUtf8(caption), clientArea), x, y, w, 17, standard);
    };
    const char* lineColours[4] = {"赤", "緑", "青", "黒"};
    auto* lineGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        Option2[i] = option(lineColours[i], 408 + 40 * i, 8, 33);
        lineGroup->addButton(Option2[i]);
    }
    const char* penCaptions[4] = {"赤", "緑", "青", "消しゴム"};
    auto* penGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        const int width = i == 3 ? 81 : 57;
        Option1[i + 4] = option(penCaptions[i], 680 + 40 * i, 8, width);
        Option1[i] = option(penCaptions[i], 680 + 40 * i, 24, width);
    }
    for (OptionButton* pen : Option1) penGroup->addButton(pen);
    Option1[0]->setChecked(true);

    for (int i = 0; i < 5; ++i) {
        Check1[i] =
            place(new CheckBox(QString::number(i + 1), clientArea), 408 + 32 * i, 24, 25, 17, standard);
        Check1[i]->setStyleSheet(lineBoxStyleSheet(1));
    }
    Label4[0] = label("太字", clientArea, 648, 10, 24, 12, standard);
    Label4[1] = label("細字", clientArea, 648, 27, 24, 12, standard);
    for (QLabel* rowLabel : Label4) rowLabel->adjustSize();

    auto check = [&](const char* caption, int x, int y, int w, int h, const QFont& font) {
        return place(new CheckBox(QString::fromUtf8(caption), clientArea), x, y, w, h, font);
    };
    Check6 = check("点Ｐ", 912, 64, 89, 17, boxes);
    Check7 = check("∠ＡＰＢ", 912, 96, 89, 17, boxes);
    Check2[1] = check("円周角", 912, 128, 73, 25, panelBold);
    Check8 = check("∠ＡＯＢ", 912, 208, 89, 25, boxes);
    Check2[0] = check("中心角", 912, 248, 73, 25, panelBold);
    Check5 = check("弧ＡＢ", 912, 328, 81, 20, boxes);
    Check4 = check("補助線", 912, 528, 89, 25, boxes);
    Check9 = check("円周上", 912, 568, 89, 33, boxes);
    Check3 = check("nonClear", 920, 616, 73, 25, standard);
    Check9->setChecked(true);

    const int readoutTop[2] = {272, 152};
    for (int i = 0; i < 2; ++i) {
        Label5[i] = place(new ReadoutLabel(QStringLiteral("33"), clientArea), 944, readoutTop[i], 38, 37,
                          fonts::gothic(27.75));
        Label5[i]->setRightEdge(944 + 38);
        Label6[i] =
            label("°", clientArea, 984, readoutTop[i], i == 0 ? 9 : 17, 17, fonts::gothic(20.25, true));
        Label6[i]->adjustSize();
    }

    Label10 = label("メモは消去される", clientArea, 920, 350, 81, 17, small, Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(Label10, QColor(255, 0, 0));
    Label8 = label("５カ所まで", clientArea, 912, 390, 81, 17, small, Qt::AlignHCenter | Qt::AlignTop);
    Label9 = label("新しい跡から順に", clientArea, 912, 453, 81, 17, small);
    // The two notes overlap the top rows of the trace buttons below them; a click
    // there belongs to the button.
    Label8->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label9->setAttribute(Qt::WA_TransparentForMouseEvents);

    // The control table at zoom 1 is the design that every zoom scales.
    const QWidget* followsText[] = {Label1, Label4[0], Label4[1], Label6[0], Label6[1]};
    for (QWidget* control : clientArea->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (auto* readout = qobject_cast<ReadoutLabel*>(control)) {
            panel_.addReadout(readout);
        } else if (std::find(std::begin(followsText), std::end(followsText), control) !=
                   std::end(followsText)) {
            panel_.add(control, PanelLayout::Fit::FollowsText);
        } else {
            panel_.add(control);
        }
    }
}

void Form1::connectHandlers() {
    // Every handler runs to its end, then the canvas repaints once.
    auto wire = [this](auto* control, auto handler) {
        control->onClick([this, handler] {
            handler();
            gamenView->update();
        });
    };
    wire(Command1, [this] { Command1_Click(); });
    wire(Command2, [this] { Command2_Click(); });
    wire(Command3, [this] { Command3_Click(); });
    wire(Command4, [this] { Command4_Click(); });
    wire(Command5, [this] { Command5_Click(); });
    wire(Command6, [this] { Command6_Click(); });
    for (int i = 0; i < 2; ++i) wire(Command7[i], [this, i] { Command7_Click(i); });
    for (int i = 0; i < 8; ++i) wire(Option1[i], [this, i] { Option1_Click(i); });
    for (int i = 0; i < 4; ++i) wire(Option2[i], [this, i] { Option2_Click(i); });
    for (int i = 0; i < 5; ++i) wire(Check1[i], [this, i] { Check1_Click(i); });
    for (int i = 0; i < 2; ++i) wire(Check2[i], [this, i] { Check2_Click(i); });
    wire(Check4, [this] { Check4_Click(); });
    wire(Check5, [this] { Check5_Click(); });
    wire(Check6, [this] { Check6_Click(); });
    wire(Check7, [this] { Check7_Click(); });
    wire(Check8, [this] { Check8_Click(); });
    wire(Check9, [this] { Check9_Click(); });

    connect(gamenView, &CanvasWidget::pointerPressed, this, &Form1::gamen_MouseDown);
    connect(gamenView, &CanvasWidget::pointerMoved, this, [this](int button, int shift, float x, float y) {
        const bool changes = MoveChangesView();
        gamen_MouseMove(button, shift, x, y);
        if (changes) gamenView->refresh();
    });
    connect(gamenView, &CanvasWidget::pointerReleased, this, &Form1::gamen_MouseUp);
}
