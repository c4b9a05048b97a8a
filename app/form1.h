#pragma once
#include "access/figureaccess.h"
#include "canvas/canvas.h"
#include "canvas/canvasmarks.h"
#include "canvas/canvaswidget.h"
#include "lesson/lessonfiles.h"
#include "lesson/undo.h"
#include "printing/nameprompt.h"
#include "printing/windowprinter.h"
#include "widgets/controls.h"
#include "widgets/helpwindow.h"
#include "widgets/panellayout.h"
#include "widgets/saveprompt.h"
#include "widgets/zoomstyle.h"

#include <QImage>
#include <QLabel>
#include <QShortcut>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class Demonstration;
class MenuBar;
class Notice;

// The one window of the program. Its fields are the figure state; its member
// functions are the event handlers and the routines they share, grouped below by
// subsystem (each group is defined in the folder named in its comment).
class Form1 : public QWidget {
    Q_OBJECT
  public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // --- Figure state ---------------------------------------------------------
    double aX = 0, aY = 0; // point A
    double bX = 0, bY = 0; // point B
    double pX = 0, pY = 0; // point P (off the circle while "円周上" is unticked)
    int oX = 0, oY = 0;    // centre O
    float radius = 0;      // radius of the circle
    double angleA = 0;     // degrees, anticlockwise on screen
    double angleB = 0;
    double angleP = 0;
    int lineSlot = 0;               // 1..5: slot of the next straight line; 0 none
    int memoMode = 0;               // memo pen on
    int penDown = 0;                // memo pen pressed on the canvas
    int lineMode = 0;               // straight-line tool on
    int lineDragging = 0;           // a straight line is being pulled
    std::int16_t dragTarget = 0;    // 0 none, 1 P, 2 A, 3 B, 4 radius handle
    int penColour = 0;              // palette index of the memo ink
    int lineColour = 0;             // palette index of new straight lines
    int gridShown = 0;              // the grid is shown
    std::int16_t traceCount = 0;    // traces of P kept, 0..5
    float lastX = 0, lastY = 0;     // latest pointer position on the canvas
    float handleX = 0, handleY = 0; // top-left corner of the radius handle
    int dirPA = 0;                  // direction of the ray from P to A, whole degrees
    float dirPB = 0;                // direction of the ray from P to B, whole degrees

    // --- Start-up, reset and quit (app/startup.cpp) ---------------------------
    void Form_Load();
    void ResetFigure();
    void Command1_Click(); // "初期画面"
    void Command2_Click(); // "終了"

    // --- Figure placement, drawing and readouts (figure/) ---------------------
    void LayoutFigure();                  // figure/layout.cpp
    void LayoutShownFigure(float before); // figure/layout.cpp: a new radius, what shows kept shown
    void PlaceOnCircle();                 // figure/layout.cpp: what both layouts start from
    void ClearTraces();                   // figure/layout.cpp
    void DrawFigure();                    // figure/drawing.cpp
    void UpdateReadouts();                // figure/readouts.cpp
    void UpdateReadoutsOtherArc();        // figure/readouts.cpp
    void UpdateDirectionsFromP();         // figure/drawing.cpp: dirPA, dirPB for the current P

    // --- Pointer on the canvas (interaction/pointer.cpp, interaction/dragging.cpp) --
    void gamen_MouseDown(int button, int shift, float x, float y);
    void gamen_MouseMove(int button, int shift, float x, float y);
    void gamen_MouseUp(int button, int shift, float x, float y);
    bool figureMode() const { return memoMode == 0 && lineMode == 0; }
    // Whether a movement of the pointer changes what the canvas shows.
    bool MoveChangesView() const;
    void PickHandle(float x, float y); // left press in figure mode
    void DragFigure(float x, float y); // movement in figure mode
    // Moves handle `target` (1 P, 2 A, 3 B, 4 radius) as a drag to the pointer (x, y)
    // at the pointer angle `angle` does; the drags and the keys share it. A new radius
    // lays the figure out afresh (LayoutFigure), or with `keepShown` keeps what shows.
    void MoveHandle(int target, double angle, float x, float y, bool keepShown = false);

    // --- Memo pen and straight lines (interaction/memopen.cpp, interaction/straightlines.cpp)
    void Command3_Click();         // "メモ"
    void Option1_Click(int index); // pen buttons
    void Command5_Click();         // "直線"
    void Option2_Click(int index); // straight-line colours
    void Check1_Click(int index);  // straight-line boxes "1".."5"
    void MoveEraserRing(float x, float y);
    void ToolPress(float x, float y);   // left press while a tool is on
    void ToolMove(float x, float y);    // movement while a tool is on
    void ToolRelease(float x, float y); // release while a tool is on

    // The straight-line steps of the three above (interaction/straightlines.cpp)
    void StartStraightLine(float x, float y);
    void PullStraightLine(float x, float y);
    void FinishStraightLine(float x, float y);

    // --- Keyboard on the canvas (interaction/keyboard.cpp) ----------------------
    std::int16_t keyTarget = 0;             // what the arrows move: 0 none, 1 P, 2 A, 3 B, 4 radius handle
    bool gamen_KeyDown(int key, int shift); // a key on the focused canvas; true when used
    void gamen_FocusChange(bool in, int reason);
    void NudgeHandle(int key, int shift);    // one arrow key on the chosen handle
    std::optional<QRectF> FocusRing() const; // box of the ring about the chosen handle
    bool KeyOnCanvas(int key, int shift);    // the choice of handle and the arrows
    void ConnectKeyboard();
    void SetTabOrder();

    // --- Undo and redo (lesson/undo.cpp): one step per completed action, with its name
    std::unique_ptr<Undo> undo;

    // --- Display toggles (aids/toggles.cpp) -----------------------------------
    void Check6_Click();          // "点Ｐ"
    void Check7_Click();          // "∠ＡＰＢ"
    void Check8_Click();          // "∠ＡＯＢ"
    void Check2_Click(int index); // "中心角" (0), "円周角" (1)
    void Check5_Click();          // "弧ＡＢ"
    void Check4_Click();          // "補助線"
    void Check9_Click();          // "円周上"

    // --- Traces of P (aids/traces.cpp) ----------------------------------------
    void Command7_Click(int index); // 0 "跡を残す", otherwise "跡を消す"
    void ScaleTraces(float from);   // the traces onto the circle's new radius

    // --- Grid (aids/grid.cpp) ---------------------------------------------------
    void CreateGridLines();
    void Command4_Click(); // "方眼"

    // --- Printing (aids/printing.cpp; the name box and the CUPS job in printing/) --
    void Command6_Click();                                   // "印刷"
    WindowPrinter::Outcome PrintWindow(const QString& name); // from OK to the job's answer
    std::unique_ptr<NamePrompt> namePrompt = std::make_unique<NamePrompt>();
    std::unique_ptr<WindowPrinter> windowPrinter = std::make_unique<WindowPrinter>();

    // --- Menu bar (app/menubar.cpp): every command within reach of the mouse, with its key
    MenuBar* menuBar = nullptr;
    void CreateMenuBar();

    // --- Help on the keys (aids/shortcuts.cpp); pictures of the figure (aids/pictures.cpp)
    void ShowHelp();           // F1
    QImage DrawingAreaImage(); // the drawing area as it shows, 875 x 625
    QImage WindowImage();      // the whole window, 1014 x 700
    void CopyDrawingArea();    // Ctrl+C
    void CopyWindow();         // Ctrl+Shift+C
    void SaveDrawingArea();    // Ctrl+Shift+E
    QString SuggestedPictureName() const;
    bool pictureTaking = false; // a picture is being painted: no focus ring in it
    std::unique_ptr<SavePrompt> savePrompt = std::make_unique<SavePrompt>();
    HelpWindow* helpWindow = nullptr;

    // --- Demonstration: P, A, B or the radius moving by itself (aids/demonstration.cpp) --
    // Its menu entries and F5; each frame is a MoveHandle. Printing and opening a lesson end a run.
    Demonstration* demonstration = nullptr;

    // --- Why a key or command did nothing, on the screen and to screen readers (aids/notices.cpp)
    Notice* notice = nullptr;
    void ShowReason(const QString& text);
    bool PointPShown() const; // P's dot, letter, chords or diameter show: its moves can be seen
    void TellPointPHidden();  // why P moves neither by itself nor by the keys

    // --- Lesson files: open, save, recent files, the last figure kept (lesson/lessonfiles.cpp)
    LessonFiles* lessonFiles = nullptr;

    // --- Screen readers (names: app/accessibility.cpp; the drawing area: access/) --
    void SetAccessibleNames();
    QString FigureDescription() const; // what the figure shows, in words
    FigureAccess& figureAccess() { return *figureAccess_; }

    // --- Zoom and full screen (app/zoom.cpp) ------------------------------------
    // One factor scales the whole client area: the controls' boxes and fonts and the
    // canvas view, and every dialog and tip of the window (app/zoomeddialogs.cpp).
    // Figure coordinates never see it.
    double zoom() const { return zoom_; }
    // The zoom of the window outside full screen (a 25 % step, or a fit to the whole
    // percent); the window resizes to it, with the menu bar above the client area.
    void setWindowZoom(double factor);
    double windowZoom() const { return windowZoom_; }
    // Start-up: the remembered zoom (when none can be read, 100 % or on a large screen the
    // largest step that takes at most two thirds of it), or `requested` (a step,
    // or 0 for the largest that fits), made small enough that the whole window fits the
    // screen's available area; fitted again once the window's real frame is known.
    void StartZoom(double requested = -1);
    void ZoomIn();           // Ctrl + "+"
    void ZoomOut();          // Ctrl + "-"
    void ZoomReset();        // Ctrl + 0
    void FitToScreen();      // the largest zoom, to the whole percent, at which the window fits
    void ToggleFullScreen(); // F11
    void LeaveFullScreen();  // Esc
    bool isFullScreenView() const { return fullScreenView_; }
    // Runs `work` with the client area at its design size (zoom 1), as the printout shows it.
    void AtDesignSize(const std::function<void(QWidget& clientArea)>& work);
    // The client area at its design size while `design` holds, at the zoom in use after.
    void ShowDesignSize(bool design);

    // --- The canvas, its marks and the controls (app/form1.cpp; canvas/, widgets/)
    QWidget* clientArea = nullptr; // 1014 x 700 at zoom 1, centred in full screen
    Canvas gamen;
    CanvasMarks marks;
    CanvasWidget* gamenView = nullptr;

    QLabel* Label1 = nullptr;
    PushButton* Command1 = nullptr;
    PushButton* Command2 = nullptr;
    PushButton* Command3 = nullptr;
    PushButton* Command4 = nullptr;
    PushButton* Command5 = nullptr;
    PushButton* Command6 = nullptr;
    std::array<PushButton*, 2> Command7{};
    std::array<OptionButton*, 8> Option1{};
    std::array<OptionButton*, 4> Option2{};
    std::array<CheckBox*, 5> Check1{};
    std::array<QLabel*, 2> Label4{};
    std::array<CheckBox*, 2> Check2{};
    CheckBox* Check3 = nullptr;
    CheckBox* Check4 = nullptr;
    CheckBox* Check5 = nullptr;
    CheckBox* Check6 = nullptr;
    CheckBox* Check7 = nullptr;
    CheckBox* Check8 = nullptr;
    CheckBox* Check9 = nullptr;
    std::array<ReadoutLabel*, 2> Label5{};
    std::array<QLabel*, 2> Label6{};
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;

  signals:
    // "終了" was pressed: the program ends.
    void quitRequested();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void createControls();
    void connectHandlers();
    void createZoomKeys();
    void applyZoom(double factor);
    void centreClientArea();
    int menuBarHeight() const; // 0 in full screen
    double fittingZoom(double wanted) const;
    double firstZoom() const;
    void fitStartAgain();
    static QString lineBoxStyleSheet(double factor);

    PanelLayout panel_;
    ZoomStyle* zoomStyle_ = nullptr;
    bool controlsZoomStyled_ = false;
    double zoom_ = 1;
    double zoomBeforeDesignSize_ = 0; // set while ShowDesignSize holds the design size
    double windowZoom_ = 1;
    double startWanted_ = 0; // the start's zoom, to fit again once the frame is known
    bool fullScreenView_ = false;
    QPoint normalPosition_;
    QShortcut* leaveKey_ = nullptr;
    // Declared last, so it goes first: nothing is said of a window being taken down.
    std::unique_ptr<FigureAccess> figureAccess_;
};
