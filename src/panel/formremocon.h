#pragma once

#include "pictureform.h"

namespace zel {

// The ticker's remote control. Raises ButtonClick with the index of each
// clicked label-button and leaves the command to its owner; closes itself on
// "X". The object outlives its window: closing destroys the window, the next
// Show loads a new one.
class FormRemoCon final : public PictureForm
{
    Q_OBJECT
public:
    // The label-buttons' indices, as ButtonClick carries them.
    enum class Command : qint16 {
        Close = 0,
        Quit = 1,
        About = 2,
        GetData = 3,
        SettingSpeed = 4,
        ReLoad = 5,
    };

    explicit FormRemoCon(QObject *parent = nullptr);
    ~FormRemoCon() override;
    Q_DISABLE_COPY_MOVE(FormRemoCon)

    // Loads the window if needed and shows it, modeless and without owner:
    // centred when it appears, brought forward when it is open already.
    void Show();

Q_SIGNALS:
    void ButtonClick(qint16 Index);

private:
    void load();
    void LabelBtn_Click(qint16 index);
};

} // namespace zel
