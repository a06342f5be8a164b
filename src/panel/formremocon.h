#pragma once

#include "coolbuttonctrl.h"
#include "framelinearray.h"

#include <QObject>

#include <memory>

class QWidget;

namespace zel {

class RemoConWindow;

// The ticker's remote control. Raises ButtonClick with the index of each
// clicked label-button and leaves the command to its owner; closes itself on
// "X" (index 0). The object outlives its window: closing destroys the window,
// the next Show loads a new one.
class FormRemoCon final : public QObject, private FrameLineArray
{
    Q_OBJECT
public:
    explicit FormRemoCon(QObject *parent = nullptr);
    ~FormRemoCon() override;
    Q_DISABLE_COPY_MOVE(FormRemoCon)

    // Loads the window if needed and shows it, modeless and without owner:
    // centred when it appears, brought forward when it is open already.
    void Show();
    // The loaded panel window, or nullptr while unloaded.
    QWidget *window() const;

Q_SIGNALS:
    void ButtonClick(qint16 Index);

private:
    FrameLine *line(int index) override;

    void load();
    void unload();

    void LabelBtn_Click(qint16 index);
    void LabelBtn_MouseDown();
    void LabelBtn_MouseUp();
    void LabelBtn_MouseMove(qint16 index);
    void Form_MouseMove();
    void Form_MouseDown();

    std::unique_ptr<RemoConWindow> m_window;
    CoolButtonCtrl m_coolBtn { *this };
};

} // namespace zel
