#include "formremocon.h"

#include "remoconwindow.h"
#include "zelversion.h"

#include <QLabel>

namespace zel {

FormRemoCon::FormRemoCon(QObject *parent)
    : PictureForm(parent)
{ }

FormRemoCon::~FormRemoCon() = default;

void FormRemoCon::Show()
{
    if (!window())
        load();
    showLoaded();
}

void FormRemoCon::load()
{
    PictureForm::load(std::make_unique<RemoConWindow>());
    RemoConWindow *window = loaded<RemoConWindow>();
    connect(window, &PictureWindow::labelClicked, this, &FormRemoCon::LabelBtn_Click);
    window->LabelAbout()->setText(QStringLiteral("Ver ") + versionNumber());
}

void FormRemoCon::LabelBtn_Click(qint16 index)
{
    if (index == qint16(Command::Close))
        unload();
    Q_EMIT ButtonClick(index);
}

} // namespace zel
