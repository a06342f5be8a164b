#include "formpathbox.h"

#include "drivelist.h"
#include "filelist.h"
#include "folderlist.h"
#include "modulemain.h"
#include "pathrules.h"
#include "twips.h"

#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace zel {

namespace {

QRect twipsRect(double left, double top, double width, double height)
{
    return { twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height) };
}

template<typename Control>
Control *placeControl(QWidget *form, const QString &name, const QRect &geometry)
{
    auto *control = new Control(form);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

} // namespace

FormPathBox::FormPathBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
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
    if (kind > 1)
        return Status::failure(
            tr("There is no source kind %1: use 0 (file) or 1 (others).").arg(kind));
    SelectPathType(kind);
    return Status::ok();
}

void FormPathBox::setPath(const QString &path)
{
    ensureLoaded();
    m_TextPathBox->setText(path);
    if (path.isEmpty() || m_kind != 0)
        return;

    const QString separator = nativeSeparator();
    const QString folder = normalFolder(FolderOfPath(QDir::toNativeSeparators(path), separator));
    // A folder that is gone, or a drive that is not ready, must not keep the
    // user from choosing a new source: the lists go as near as they can.
    const QString reachable = nearestReadableFolder(folder);
    if (reachable.isEmpty())
        return;
    const bool moved =
        m_DriveMain->setDrive(reachable).isOk() && m_DirMain->setPath(reachable).isOk();
    if (!moved || reachable != folder)
        m_TextPathBox->setText(path);
}

void FormPathBox::showModal(QWidget *owner)
{
    ensureLoaded();
    QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->geometry().center() - rect().center());

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
    m_TextPathBox->setFocus(Qt::OtherFocusReason);
}

void FormPathBox::ensureLoaded()
{
    if (m_loaded)
        return;
    m_loaded = true;
    createControls();
    connectReactions();

    SelectPathType(m_kind);
    m_TextPattern->setText(QStringLiteral("*.*"));
    m_FileMain->setPattern(m_TextPattern->text());
}

void FormPathBox::createControls()
{
    m_TextPathBox =
        placeControl<QLineEdit>(this, QStringLiteral("TextPathBox"), twipsRect(0, 1900, 4300, 300));
    m_DriveMain =
        placeControl<DriveList>(this, QStringLiteral("DriveMain"), twipsRect(0, 0, 3000, 300));
    m_DirMain =
        placeControl<FolderList>(this, QStringLiteral("DirMain"), twipsRect(0, 300, 3000, 1560));
    m_FileMain =
        placeControl<FileList>(this, QStringLiteral("FileMain"), twipsRect(3000, 300, 3000, 1530));
    m_OptionType[0] = placeControl<QRadioButton>(this, QStringLiteral("OptionType0"),
                                                 twipsRect(3000, 0, 800, 300));
    m_OptionType[0]->setText(QStringLiteral("file"));
    m_btnOK =
        placeControl<QPushButton>(this, QStringLiteral("btnOK"), twipsRect(4350, 1900, 800, 300));
    m_btnOK->setText(QStringLiteral("OK"));
    m_btnOK->setDefault(true);
    m_btnCancel = placeControl<QPushButton>(this, QStringLiteral("btnCancel"),
                                            twipsRect(5150, 1900, 800, 300));
    m_btnCancel->setText(QStringLiteral("Cancel"));
    m_btnPopUp =
        placeControl<QPushButton>(this, QStringLiteral("btnPopUp"), twipsRect(5700, 50, 200, 200));
    m_btnPopUp->setText(QStringLiteral("@"));
    m_btnPopUp->setEnabled(false);
    m_OptionType[1] = placeControl<QRadioButton>(this, QStringLiteral("OptionType1"),
                                                 twipsRect(3795, 0, 800, 300));
    m_OptionType[1]->setText(QStringLiteral("Others"));
    // Let the caption use the room up to the pattern box when the style needs it.
    const int roomForOthers = twipsToPixels(4800 - 3795);
    m_OptionType[1]->resize(
        std::clamp(m_OptionType[1]->sizeHint().width(), m_OptionType[1]->width(), roomForOthers),
        m_OptionType[1]->height());
    m_TextPattern =
        placeControl<QLineEdit>(this, QStringLiteral("TextPattern"), twipsRect(4800, 0, 800, 300));

    const QList<QWidget *> tabOrder = { m_TextPathBox,   m_DriveMain,  m_DirMain,   m_FileMain,
                                        m_OptionType[0], m_btnOK,      m_btnCancel, m_btnPopUp,
                                        m_OptionType[1], m_TextPattern };
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));

    // The three lists start together in the current folder.
    m_DriveMain->showDriveOf(m_DirMain->Path());
    m_FileMain->setPath(m_DirMain->Path());
}

void FormPathBox::connectReactions()
{
    for (int index = 0; index < int(m_OptionType.size()); ++index) {
        // Becoming chosen, by the user or by code, counts as a click.
        connect(m_OptionType[index], &QRadioButton::toggled, this, [this, index](bool chosen) {
            if (chosen)
                OptionType_Click(index);
        });
    }
    connect(m_DriveMain, &DriveList::Change, this, &FormPathBox::DriveMain_Change);
    connect(m_DirMain, &FolderList::Change, this, &FormPathBox::DirMain_Change);
    connect(m_FileMain, &FileList::Click, this, &FormPathBox::FileMain_Click);
    connect(m_FileMain, &FileList::DblClick, this, &FormPathBox::FileMain_DblClick);
    connect(m_TextPattern, &QLineEdit::textChanged, this, &FormPathBox::TextPattern_Change);
    connect(m_btnPopUp, &QPushButton::clicked, this, &FormPathBox::btnPopUp_Click);
    connect(m_btnOK, &QPushButton::clicked, this, &FormPathBox::btnOK_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &FormPathBox::btnCancel_Click);
}

void FormPathBox::SelectPathType(qint16 kind)
{
    if (kind < 0)
        kind = 0;
    m_kind = kind;
    m_OptionType[kind]->setChecked(true);
    if (kind == 0) {
        SetFileControlsEnabled(true);
        composePathFromFileList();
    } else {
        SetFileControlsEnabled(false);
        m_TextPathBox->setText(QString());
    }
}

void FormPathBox::SetFileControlsEnabled(bool enabled)
{
    m_DriveMain->setEnabled(enabled);
    m_DirMain->setEnabled(enabled);
    m_FileMain->setEnabled(enabled);
    m_TextPattern->setEnabled(enabled);
}

void FormPathBox::composePathFromFileList()
{
    m_TextPathBox->setText(
        composePath(m_FileMain->Path(), m_FileMain->FileName(), nativeSeparator()));
}

void FormPathBox::OptionType_Click(int index)
{
    SelectPathType(static_cast<qint16>(index));
}

void FormPathBox::DriveMain_Change()
{
    // A drive that is not ready leaves the lists where they were.
    if (!m_DirMain->setPath(m_DriveMain->Drive()).isOk())
        m_DriveMain->showDriveOf(m_DirMain->Path());
}

void FormPathBox::DirMain_Change()
{
    m_DriveMain->showDriveOf(m_DirMain->Path());
    m_FileMain->setPath(m_DirMain->Path());
    m_TextPathBox->setText(m_DirMain->Path());
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
    m_FileMain->setPattern(m_TextPattern->text());
}

void FormPathBox::btnPopUp_Click()
{
    if (m_menu)
        m_menu->popup(QCursor::pos());
}

void FormPathBox::btnOK_Click()
{
    Q_EMIT OK(m_TextPathBox->text(), m_kind);
    done(QDialog::Accepted);
}

void FormPathBox::btnCancel_Click()
{
    Q_EMIT Cancel();
    done(QDialog::Rejected);
}

} // namespace zel
