#pragma once

#include "coolbuttonctrl.h"
#include "framelinearray.h"

#include <QObject>

#include <memory>

class QWidget;

namespace zel {

class PictureWindow;

// The controller of a picture window: owns the loaded window, frames the
// label-button under the pointer (raised, sunken while pressed) and drags
// the window from its background. The object outlives its window: unloading
// destroys the window, the next load makes a new one.
class PictureForm : public QObject, private FrameLineArray
{
    Q_OBJECT
public:
    ~PictureForm() override;
    Q_DISABLE_COPY_MOVE(PictureForm)

    // The loaded window, or nullptr while unloaded.
    QWidget *window() const;

protected:
    explicit PictureForm(QObject *parent);

    // Takes `window` as the loaded one, hides the frame and centres it.
    void load(std::unique_ptr<PictureWindow> window);
    // Runs inside the window's own mouse handling: the window disappears at
    // once and is destroyed once that handling is over.
    void unload();
    // Centred when it appears, brought forward when it is open already.
    void showLoaded();

    template<typename Window> Window *loaded() const
    {
        return static_cast<Window *>(m_window.get());
    }

private:
    FrameLine *line(int index) override;

    void LabelBtn_MouseDown();
    void LabelBtn_MouseUp();
    void LabelBtn_MouseMove(qint16 index);
    void Form_MouseMove();
    void Form_MouseDown();

    std::unique_ptr<PictureWindow> m_window;
    CoolButtonCtrl m_coolBtn { *this };
};

} // namespace zel
