#pragma once

#include "displaylayer.h"
#include "status.h"
#include "zelctrl.h"

#include <QFont>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

namespace zel {

class FileHelper;
class FormRemoCon;
class InetTransfer;
class PacedEventQueue;
class StripDock;
class TitleBarLabel;
class WindowHelper;
class ZelFrame;
class ZelPropertyBox;
class ZelTextBox;

// The ticker window: a strip as wide as the screen and one text line high,
// with the handle at its left end and the frame the text runs through.
class FormMain final : public QWidget, public MeasuringForm
{
    Q_OBJECT

public:
    explicit FormMain(QWidget *parent = nullptr);
    ~FormMain() override;
    Q_DISABLE_COPY_MOVE(FormMain)

    // Builds the dialogs, binds the helpers and the engine, loads the window
    // and runs the first layout pass.
    Status Form_Initialize();

    // Flattens `text` in place (tags removed, line breaks made blanks) and
    // gives it to the engine.
    Status setZelText(QString &text);
    QString ZelText() const;
    Status setZelEngine(qint16 fuel);
    qint16 ZelEngine() const;
    qint32 PathType() const { return m_pathType; }
    void setPathType(qint32 type) { m_pathType = type; }
    QString Path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }

    Status UnloadMe();
    Status FileOpen();
    Status ShowFPBox();
    void ShowFRC();
    Status ShowZelPBox();
    void ShowFABBox();

    // The layout pass: one box high, no wider than the screen, handle and
    // frame placed.
    Status Form_Resize();

    // How the program ends at once; tests replace it.
    using ProgramEnd = std::function<void()>;
    void setProgramEnd(ProgramEnd end);

    // Where the about box finds its comment file; the program's own folder
    // unless a test says otherwise.
    void setProgramFolder(const QString &folder) { m_programFolder = folder; }

    // The parts, for the event handlers and for tests.
    ZelFrame *FrameZel() const { return m_frameZel; }
    ZelTextBox *TextZel(int index) const { return m_textZel.at(index); }
    TitleBarLabel *LabelTitleBer() const { return m_labelTitleBer; }
    FormRemoCon *FRC() const { return m_frc.get(); }
    ZelPropertyBox *ZelPB() const { return m_zelPB.get(); }
    ZelCtrl *engine() const { return m_engine.get(); }
    PacedEventQueue *eventQueue() const { return m_eventQueue.get(); }

    // MeasuringForm: the font the window measures text in.
    bool FontBold() const override { return m_measureFont.bold(); }
    void setFontBold(bool bold) override { m_measureFont.setBold(bold); }
    bool FontItalic() const override { return m_measureFont.italic(); }
    void setFontItalic(bool italic) override { m_measureFont.setItalic(italic); }
    QString FontName() const override { return m_measureFont.family(); }
    void setFontName(const QString &name) override { m_measureFont.setFamily(name); }
    double FontSize() const override { return m_measureFont.pointSizeF(); }
    void setFontSize(double points) override { m_measureFont.setPointSizeF(points); }
    double TextWidth(const QString &text) const override;
    double TextHeight(const QString &text) const override;

    // Event handlers.
    void FRC_ButtonClick(qint16 index);
    void ZelPB_ShiftSpeedChange();
    void ZelPB_ShiftTimingChange();
    void LabelTitleBer_MouseDown(Qt::MouseButton button);
    void FrameZel_MouseDown(Qt::MouseButton button);
    void TextZel_MouseDown(int index, Qt::MouseButton button);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    Status Form_Load();
    Status runCommand(qint16 index);
    Status routeTitleBarPress(Qt::MouseButton button);

    std::unique_ptr<PacedEventQueue> m_eventQueue;
    std::unique_ptr<ZelCtrl> m_engine;
    std::unique_ptr<WindowHelper> m_windowHelper;
    std::unique_ptr<FileHelper> m_fileHelper;
    std::unique_ptr<ZelPropertyBox> m_zelPB;
    std::unique_ptr<FormRemoCon> m_frc;
    InetTransfer *m_inetMain = nullptr;
    ZelFrame *m_frameZel = nullptr;
    std::array<ZelTextBox *, 2> m_textZel {};
    TitleBarLabel *m_labelTitleBer = nullptr;
    StripDock *m_stripDock = nullptr;
    QFont m_measureFont;
    qint32 m_pathType;
    QString m_path;
    QString m_programFolder;
    ProgramEnd m_programEnd;
    bool m_inLayoutPass = false;
};

} // namespace zel
