#include "formpathbox.h"

#include "drivelist.h"
#include "filelist.h"
#include "folderlist.h"
#include "folderofpath.h"
#include "keepabove.h"
#include "pathbox.h"
#include "pathrules.h"
#include "screencentre.h"
#include "twipsrect.h"

#include <QCursor>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

#include <algorithm>

namespace zel {

namespace {

template<typename Control>
Control *placeControl(QWidget *form, const QString &name, const TwipsRect &place)
{
    auto *control = new Control(form);
    control->setObjectName(name);
    control->setGeometry(pixelRect(place));
    return control;
}

} // namespace

FormPathBox::FormPathBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | kKeepAbove)
{
    setObjectName(QStringLiteral("FormPathBox"));
    setWindowTitle(QStringLiteral("Path Box"));
    setFixedSize(twipsToPixels(5985), twipsToPixels(2220));
}

FormPathBox::~FormPathBox() = default;

void FormPathBox::setMenuName(QMenu *menu)
{
    m_menu = menu;
}

void FormPathBox::setPopUpEnabled(bool enabled)
{
    ensureLoaded();
    m_btnPopUp->setEnabled(enabled);
}

Status FormPathBox::setPathType(qint16 kind)
{
    ensureLoaded();
    if (kind > qint16(SourceKind::Others))
        return Status::failure(
            tr("There is no source kind %1: use 0 (file) or 1 (others).").arg(kind));
    SelectPathType(kind);
    return Status::ok();
}

void FormPathBox::setPath(const QString &path)
{
    ensureLoaded();
    m_textPathBox->setText(path);
    if (path.isEmpty() || m_kind != qint16(SourceKind::File))
        return;

    const QString separator = nativeSeparator();
    const QString folder = normalFolder(FolderOfPath(QDir::toNativeSeparators(path), separator));
    // A folder that is gone, or a drive that is not ready, must not keep the
    // user from choosing a new source: the lists go as near as they can.
    const QString reachable = nearestReadableFolder(folder);
    if (reachable.isEmpty())
        return;
    const bool moved =
        m_driveMain->setDrive(reachable).isOk() && m_dirMain->setPath(reachable).isOk();
    if (!moved || reachable != folder)
        m_textPathBox->setText(path);
}

void FormPathBox::showModal(QWidget *owner)
{
    ensureLoaded();
    centreOnScreen(*this, owner ? owner->screen() : nullptr);

    QWindow *ownerWindow = nullptr;
    if (owner) {
        owner->window()->winId();
        ownerWindow = owner->window()->windowHandle();
    }
    winId();
    windowHandle()->setTransientParent(ownerWindow);
    exec();
    windowHandle()->setTransientParent(nullptr);
}

void FormPathBox::reject()
{
    btnCancel_Click();
}

void FormPathBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_textPathBox->setFocus(Qt::OtherFocusReason);
}

void FormPathBox::ensureLoaded()
{
    if (m_loaded)
        return;
    m_loaded = true;
    createControls();
    connectReactions();

    SelectPathType(m_kind);
    m_textPattern->setText(QStringLiteral("*.*"));
    m_fileMain->setPattern(m_textPattern->text());
}

void FormPathBox::createControls()
{
    m_textPathBox =
        placeControl<QLineEdit>(this, QStringLiteral("TextPathBox"), { 0, 1900, 4300, 300 });
    m_driveMain = placeControl<DriveList>(this, QStringLiteral("DriveMain"), { 0, 0, 3000, 300 });
    m_dirMain = placeControl<FolderList>(this, QStringLiteral("DirMain"), { 0, 300, 3000, 1560 });
    m_fileMain =
        placeControl<FileList>(this, QStringLiteral("FileMain"), { 3000, 300, 3000, 1530 });
    m_optionType[0] =
        placeControl<QRadioButton>(this, QStringLiteral("OptionType0"), { 3000, 0, 800, 300 });
    m_optionType[0]->setText(QStringLiteral("file"));
    m_btnOK = placeControl<QPushButton>(this, QStringLiteral("btnOK"), { 4350, 1900, 800, 300 });
    m_btnOK->setText(QStringLiteral("OK"));
    m_btnOK->setDefault(true);
    m_btnCancel =
        placeControl<QPushButton>(this, QStringLiteral("btnCancel"), { 5150, 1900, 800, 300 });
    m_btnCancel->setText(QStringLiteral("Cancel"));
    m_btnPopUp =
        placeControl<QPushButton>(this, QStringLiteral("btnPopUp"), { 5700, 50, 200, 200 });
    m_btnPopUp->setText(QStringLiteral("@"));
    m_btnPopUp->setEnabled(false);
    m_optionType[1] =
        placeControl<QRadioButton>(this, QStringLiteral("OptionType1"), { 3795, 0, 800, 300 });
    m_optionType[1]->setText(QStringLiteral("Others"));
    // Let the caption use the room up to the pattern box when the style needs it.
    const int roomForOthers = twipsToPixels(4800 - 3795);
    m_optionType[1]->resize(
        std::clamp(m_optionType[1]->sizeHint().width(), m_optionType[1]->width(), roomForOthers),
        m_optionType[1]->height());
    m_textPattern =
        placeControl<QLineEdit>(this, QStringLiteral("TextPattern"), { 4800, 0, 800, 300 });

    const QList<QWidget *> tabOrder = { m_textPathBox,   m_driveMain,  m_dirMain,   m_fileMain,
                                        m_optionType[0], m_btnOK,      m_btnCancel, m_btnPopUp,
                                        m_optionType[1], m_textPattern };
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));

    // The three lists start together in the current folder.
    m_driveMain->showDriveOf(m_dirMain->Path());
    m_fileMain->setPath(m_dirMain->Path());
}

void FormPathBox::connectReactions()
{
    for (int index = 0; index < int(m_optionType.size()); ++index) {
        // Becoming chosen, by the user or by code, counts as a click.
        connect(m_optionType[index], &QRadioButton::toggled, this, [this, index](bool chosen) {
            if (chosen)
                OptionType_Click(index);
        });
    }
    connect(m_driveMain, &DriveList::Change, this, &FormPathBox::DriveMain_Change);
    connect(m_dirMain, &FolderList::Change, this, &FormPathBox::DirMain_Change);
    connect(m_fileMain, &FileList::Click, this, &FormPathBox::FileMain_Click);
    connect(m_fileMain, &FileList::DblClick, this, &FormPathBox::FileMain_DblClick);
    connect(m_textPattern, &QLineEdit::textChanged, this, &FormPathBox::TextPattern_Change);
    connect(m_btnPopUp, &QPushButton::clicked, this, &FormPathBox::btnPopUp_Click);
    connect(m_btnOK, &QPushButton::clicked, this, &FormPathBox::btnOK_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &FormPathBox::btnCancel_Click);
}

void FormPathBox::SelectPathType(qint16 kind)
{
    if (kind < qint16(SourceKind::File))
        kind = qint16(SourceKind::File);
    m_kind = kind;
    m_optionType[kind]->setChecked(true);
    if (kind == qint16(SourceKind::File)) {
        SetFileControlsEnabled(true);
        composePathFromFileList();
    } else {
        SetFileControlsEnabled(false);
        m_textPathBox->setText(QString());
    }
}

void FormPathBox::SetFileControlsEnabled(bool enabled)
{
    m_driveMain->setEnabled(enabled);
    m_dirMain->setEnabled(enabled);
    m_fileMain->setEnabled(enabled);
    m_textPattern->setEnabled(enabled);
}

void FormPathBox::composePathFromFileList()
{
    m_textPathBox->setText(
        composePath(m_fileMain->Path(), m_fileMain->FileName(), nativeSeparator()));
}

void FormPathBox::OptionType_Click(int index)
{
    SelectPathType(static_cast<qint16>(index));
}

void FormPathBox::DriveMain_Change()
{
    // A drive that is not ready leaves the lists where they were.
    if (!m_dirMain->setPath(m_driveMain->Drive()).isOk())
        m_driveMain->showDriveOf(m_dirMain->Path());
}

void FormPathBox::DirMain_Change()
{
    m_driveMain->showDriveOf(m_dirMain->Path());
    m_fileMain->setPath(m_dirMain->Path());
    m_textPathBox->setText(m_dirMain->Path());
}

void FormPathBox::FileMain_Click()
{
    composePathFromFileList();
}

void FormPathBox::FileMain_DblClick()
{
    btnOK_Click();
}

void FormPathBox::TextPattern_Change()
{
    m_fileMain->setPattern(m_textPattern->text());
}

void FormPathBox::btnPopUp_Click()
{
    if (m_menu)
        m_menu->popup(QCursor::pos());
}

void FormPathBox::btnOK_Click()
{
    Q_EMIT OK(m_textPathBox->text(), m_kind);
    done(QDialog::Accepted);
}

void FormPathBox::btnCancel_Click()
{
    Q_EMIT Cancel();
    done(QDialog::Rejected);
}

} // namespace zel
