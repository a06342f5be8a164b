#pragma once

#include "status.h"

#include <QObject>
#include <QString>

#include <memory>

class QMenu;
class QWidget;

namespace zel {

class FormPathBox;

// The kinds of source. The interfaces carry them as plain integers: 32-bit
// for the caller and PathBox, 16-bit inside FormPathBox.
enum class SourceKind : qint32 {
    Cancelled = -1,
    File = 0,
    // Any other text typed into the path box, in practice a web address.
    Others = 1,
};

// Asks the user for the ticker's source through the "Path Box" dialog: the
// caller sets the current kind and path, calls Show, and gets back the kind
// the user chose (File, Others, or Cancelled) and, through Path, the path the
// user accepted with OK.
class PathBox final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PathBox)

public:
    explicit PathBox(QObject *parent = nullptr);
    ~PathBox() override;

    // Gives the dialog's "@" button a menu to pop up and enables it.
    void setMenuName(QMenu *menu);

    // Fails when `type` does not fit in 16 bits, or names no kind (above 1).
    Status setPathType(qint32 type);
    Status setPath(const QString &path);

    // The path accepted with OK; empty before that.
    QString Path() const { return m_resultPath; }

    // Shows the dialog modally and sets `kind` to the result kind: the chosen
    // kind after OK, -1 after Cancel.
    Status Show(QWidget *owner, qint32 &kind);

    void ReferenceForm(FormPathBox *&form);

private:
    void FPB_OK(const QString &vstrPath, qint16 vintPAthType);
    void FPB_Cancel();

    std::unique_ptr<FormPathBox> m_fpb;
    QString m_resultPath;
    qint16 m_resultKind = 0;
};

} // namespace zel
