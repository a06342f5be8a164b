#include "formmain.h"

#include "appicon.h"
#include "compositorplacement.h"
#include "filehelper.h"
#include "formaboutbox.h"
#include "formremocon.h"
#include "gothicfont.h"
#include "inettransfer.h"
#include "messagebox.h"
#include "modulemain.h"
#include "pacedeventqueue.h"
#include "pathbox.h"
#include "programend.h"
#include "stripdock.h"
#include "textpixels.h"
#include "titlebarlabel.h"
#include "twipsrect.h"
#include "windowhelper.h"
#include "zelframe.h"
#include "zelpropertybox.h"
#include "zeltextbox.h"

#include <QCloseEvent>
#include <QScopeGuard>

#include <cmath>

namespace zel {
namespace {

const QString kBinaryFileMessage = QStringLiteral(u"バイナリファイルです。");

// Twips between the handle's left edge and the frame, and the handle's width.
constexpr int kFrameLeft = 180;
constexpr int kHandleWidth = 150;

// The top of every event handler: a failure is shown to the user; a call
// that a running ticker has taken over is nobody's error.
void report(const Status &status)
{
    if (status.isFailure())
        MessageBox::show(MessageBox::Kind::Warning, status.message());
}

} // namespace

FormMain::FormMain(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint)
    , m_measureFont(gothicFont(9.75, true))
    , m_pathType(qint32(SourceKind::File))
    , m_programEnd(endProgramNow)
{
    setObjectName(QStringLiteral("FormMain"));
    // A compositor that places windows would draw a title bar of its own.
    if (compositorPlacesWindows())
        setWindowFlag(Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Zel"));
    setWindowIcon(zelIcon());
    resize(twipsToPixels(4545), twipsToPixels(1740));

    m_inetMain = new InetTransfer(this);

    m_frameZel = new ZelFrame(this);
    m_frameZel->setObjectName(QStringLiteral("FrameZel"));
    m_frameZel->setGeometry(pixelRect({ 705, 45, 2925, 1545 }));
    QPalette frameColours = m_frameZel->palette();
    frameColours.setColor(QPalette::WindowText, frameColours.color(QPalette::Text));
    m_frameZel->setPalette(frameColours);
    connect(m_frameZel, &ZelFrame::MouseDown, this, &FormMain::FrameZel_MouseDown);

    const std::array<std::array<int, 4>, 2> boxDesign { { { 135, 360, 2430, 300 },
                                                          { 375, 1080, 2430, 360 } } };
    for (int i = 0; i < 2; ++i) {
        auto *box = new ZelTextBox(i, m_frameZel);
        box->setObjectName(QStringLiteral("TextZel%1").arg(i));
        box->setLeft(boxDesign[i][0]);
        box->setTop(boxDesign[i][1]);
        box->setWidth(boxDesign[i][2]);
        box->setHeight(boxDesign[i][3]);
        box->setText(QStringLiteral("TextZel(%1)").arg(i));
        connect(box, &ZelTextBox::MouseDown, this, &FormMain::TextZel_MouseDown);
        m_textZel[i] = box;
    }

    m_labelTitleBer = new TitleBarLabel(this);
    m_labelTitleBer->setObjectName(QStringLiteral("LabelTitleBer"));
    m_labelTitleBer->setGeometry(pixelRect({ 105, 345, 285, 1035 }));
    connect(m_labelTitleBer, &TitleBarLabel::MouseDown, this, &FormMain::LabelTitleBer_MouseDown);

    m_stripDock = new StripDock(*this);
}

// The settings controller goes first, then the panel.
FormMain::~FormMain()
{
    m_zelPB.reset();
    m_frc.reset();
}

Status FormMain::Form_Initialize()
{
    m_zelPB = std::make_unique<ZelPropertyBox>();
    connect(m_zelPB.get(), &ZelPropertyBox::ShiftSpeedChange, this,
            &FormMain::ZelPB_ShiftSpeedChange);
    connect(m_zelPB.get(), &ZelPropertyBox::ShiftTimingChange, this,
            &FormMain::ZelPB_ShiftTimingChange);
    m_frc = std::make_unique<FormRemoCon>();
    connect(m_frc.get(), &FormRemoCon::ButtonClick, this, &FormMain::FRC_ButtonClick);

    m_windowHelper = std::make_unique<WindowHelper>();
    ZEL_TRY(m_windowHelper->SetForm(this));

    m_eventQueue = std::make_unique<PacedEventQueue>();
    for (ZelTextBox *box : m_textZel)
        connect(box, &ZelTextBox::PictureChanged, m_eventQueue.get(),
                &PacedEventQueue::pictureChanged);
    m_engine = std::make_unique<ZelCtrl>(*m_eventQueue);
    m_engine->setFormName(this);
    ZEL_TRY(Form_Load());
    m_engine->setFrameName(m_frameZel);
    ZEL_TRY(m_engine->setTextBoxName({ m_textZel[0], m_textZel[1] }));
    m_engine->setShiftSpeed(1);
    m_engine->setShiftTiming(0);

    m_zelPB->setMaxShiftSpeed(1000);
    m_zelPB->setMaxShiftTiming(1000);
    m_zelPB->setMinShiftSpeed(0);
    m_zelPB->setMinShiftTiming(0);

    return Form_Resize();
}

Status FormMain::Form_Load()
{
    int screenWidth = 0;
    ZEL_TRY(m_windowHelper->GetScreenWidth(screenWidth));
    sizeWindow(*this, QSize(twipsToPixels(screenWidth), height()));
    FitTextBox(*this, *m_textZel[0]);
    FitTextBox(*this, *m_textZel[1]);
    ZEL_TRY(Form_Resize());
    return m_windowHelper->SetMode(2);
}

Status FormMain::Form_Resize()
{
    if (!m_windowHelper || m_inLayoutPass)
        return Status::ok();
    m_inLayoutPass = true;
    const auto done = qScopeGuard([this] { m_inLayoutPass = false; });

    const int clientHeight = twipsToPixels(m_textZel[0]->Height());
    if (height() != clientHeight)
        sizeWindow(*this, QSize(width(), clientHeight));

    int screenWidth = 0;
    ZEL_TRY(m_windowHelper->GetScreenWidth(screenWidth));
    if (pixelsToTwips(width()) > screenWidth) {
        ZEL_TRY(m_windowHelper->GetScreenWidth(screenWidth));
        sizeWindow(*this, QSize(twipsToPixels(screenWidth), height()));
    }

    ZEL_TRY(m_windowHelper->SetControl(m_frameZel));
    ZEL_TRY(m_windowHelper->PlaceControl(0, kFrameLeft, 0, 0));
    float scaleWidth = static_cast<float>(pixelsToTwips(width()));
    ZEL_TRY(m_windowHelper->SetControl(m_labelTitleBer));
    ZEL_TRY(m_windowHelper->PlaceControl(
        0, 0, static_cast<int>(std::lround(scaleWidth - kHandleWidth)), 0));
    ZEL_TRY(m_windowHelper->ApplyLayout());
    return m_windowHelper->FinishLayout(true, scaleWidth);
}

void FormMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    report(Form_Resize());
}

void FormMain::closeEvent(QCloseEvent *event)
{
    // Closed from outside (the window manager): quit as the panel's quit does.
    event->ignore();
    report(UnloadMe());
}

double FormMain::TextWidth(const QString &text) const
{
    return pixelsToTwips(textPixels(m_measureFont, text).width());
}

double FormMain::TextHeight(const QString &text) const
{
    return pixelsToTwips(textPixels(m_measureFont, text).height());
}

Status FormMain::setZelText(QString &text)
{
    StripTags(text, QStringLiteral("<"), QStringLiteral(">"));
    bool hadLineBreak = false;
    ZEL_TRY(ReplaceLineBreaks(text, QStringLiteral(" "), hadLineBreak));
    return m_engine->setText(text);
}

QString FormMain::ZelText() const
{
    return m_engine->Text();
}

Status FormMain::setZelEngine(qint16 fuel)
{
    ZEL_TRY(m_engine->setFuel(fuel != 0));
    return m_engine->Engine();
}

qint16 FormMain::ZelEngine() const
{
    return m_engine->Fuel() ? -1 : 0;
}

void FormMain::setProgramEnd(ProgramEnd end)
{
    m_programEnd = std::move(end);
}

Status FormMain::UnloadMe()
{
    ZEL_TRY(m_engine->setFuel(false));
    ZEL_TRY(m_engine->Engine());
    hide();
    m_programEnd();
    // Only reached where a test has replaced the end of the program: nothing
    // further of the calling handler may run.
    return Status::takenOver();
}

Status FormMain::FileOpen()
{
    QString text;
    bool isText = true;
    // Any other kind reads nothing: the ticker gets an empty text.
    switch (SourceKind(m_pathType)) {
    case SourceKind::Cancelled:
        return Status::ok();
    case SourceKind::File:
        if (!m_fileHelper)
            m_fileHelper = std::make_unique<FileHelper>();
        ZEL_TRY(m_fileHelper->SetFile(m_path));
        ZEL_TRY(m_fileHelper->ReadText(text, isText));
        break;
    case SourceKind::Others:
        ZEL_TRY(m_inetMain->OpenURL(m_path, text, isText));
        break;
    }
    if (!isText) {
        MessageBox::show(MessageBox::Kind::Information, kBinaryFileMessage);
        return Status::ok();
    }
    return setZelText(text);
}

Status FormMain::ShowFPBox()
{
    PathBox pathBox;
    ZEL_TRY(pathBox.setPathType(m_pathType));
    ZEL_TRY(pathBox.setPath(m_path));
    qint32 kind = 0;
    ZEL_TRY(pathBox.Show(nullptr, kind));
    m_pathType = kind;
    m_path = pathBox.Path();
    return Status::ok();
}

void FormMain::ShowFRC()
{
    m_frc->Show();
}

Status FormMain::ShowZelPBox()
{
    m_zelPB->setShiftSpeed(m_engine->ShiftSpeed());
    m_zelPB->setShiftTiming(m_engine->ShiftTiming());
    return m_zelPB->Show(nullptr);
}

void FormMain::ShowFABBox()
{
    FormAboutBox::showNew(m_programFolder);
}

void FormMain::FRC_ButtonClick(qint16 index)
{
    report(runCommand(index));
}

Status FormMain::runCommand(qint16 index)
{
    using Command = FormRemoCon::Command;
    switch (Command(index)) {
    case Command::Close:
        return Status::ok();
    case Command::Quit:
        return UnloadMe();
    case Command::About:
        ShowFABBox();
        return Status::ok();
    case Command::GetData:
        ZEL_TRY(ShowFPBox());
        ZEL_TRY(FileOpen());
        return setZelEngine(-1);
    case Command::SettingSpeed:
        return ShowZelPBox();
    case Command::ReLoad:
        return FileOpen();
    }
    return Status::ok();
}

void FormMain::ZelPB_ShiftSpeedChange()
{
    m_engine->setShiftSpeed(m_zelPB->ShiftSpeed());
}

void FormMain::ZelPB_ShiftTimingChange()
{
    m_engine->setShiftTiming(m_zelPB->ShiftTiming());
}

void FormMain::LabelTitleBer_MouseDown(Qt::MouseButton button)
{
    report(routeTitleBarPress(button));
}

Status FormMain::routeTitleBarPress(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        m_stripDock->drag([this] { report(Form_Resize()); });
        return Status::ok();
    case Qt::RightButton:
        ShowFRC();
        return Status::ok();
    default:
        return Status::ok();
    }
}

void FormMain::FrameZel_MouseDown(Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        LabelTitleBer_MouseDown(button);
}

void FormMain::TextZel_MouseDown(int, Qt::MouseButton button)
{
    FrameZel_MouseDown(button);
}

} // namespace zel
