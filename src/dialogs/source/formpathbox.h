#pragma once

#include "status.h"

#include <QDialog>
#include <QPointer>

#include <array>

class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace zel {

class DriveList;
class FileList;
class FolderList;

// The "Path Box" dialog in which the user picks the ticker's source: a local
// file, found with the drive, folder and file lists, or any other text typed
// into the path box (kind 1, "Others"). Driven by its controller PathBox.
// The controls come into being when a member first needs them.
class FormPathBox final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormPathBox)

public:
    explicit FormPathBox(QWidget *parent = nullptr);
    ~FormPathBox() override;

    // The menu btnPopUp pops up; the caller keeps ownership.
    void setMenuName(QMenu *menu);
    void setPopUpEnabled(bool enabled);

    // Shows kind 0 (file; a negative kind counts as 0) or 1 (others). A kind
    // above 1 fails and changes nothing.
    Status setPathType(qint16 kind);

    // Puts `path` into the path box; in the file kind the lists move to its
    // folder, or to the nearest folder that still exists.
    void setPath(const QString &path);

    // Shows the dialog modally, centred on the screen, above `owner` when
    // given. Returns when OK, Cancel or a file double-click has closed it.
    void showModal(QWidget *owner);

Q_SIGNALS:
    void OK(const QString &vstrPath, qint16 vintPAthType);
    void Cancel();

public Q_SLOTS:
    // Escape and a window-manager close act as the Cancel button.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ensureLoaded();
    void createControls();
    void connectReactions();

    void SelectPathType(qint16 kind);
    void SetFileControlsEnabled(bool enabled);
    void composePathFromFileList();

    void OptionType_Click(int index);
    void DriveMain_Change();
    void DirMain_Change();
    void FileMain_Click();
    void FileMain_DblClick();
    void TextPattern_Change();
    void btnPopUp_Click();
    void btnOK_Click();
    void btnCancel_Click();

    qint16 m_kind = 0;
    QPointer<QMenu> m_menu;
    bool m_loaded = false;

    // Children of the dialog, created on first use.
    QLineEdit *m_textPathBox = nullptr;
    DriveList *m_driveMain = nullptr;
    FolderList *m_dirMain = nullptr;
    FileList *m_fileMain = nullptr;
    std::array<QRadioButton *, 2> m_optionType {};
    QPushButton *m_btnOK = nullptr;
    QPushButton *m_btnCancel = nullptr;
    QPushButton *m_btnPopUp = nullptr;
    QLineEdit *m_textPattern = nullptr;
};

} // namespace zel
