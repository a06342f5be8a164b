#include "messagebox.h"

#include "keepabove.h"

#include <QApplication>
#include <QMessageBox>

namespace zel {
namespace {

MessageBox::Interceptor &interceptor()
{
    static MessageBox::Interceptor instance;
    return instance;
}

} // namespace

void MessageBox::show(Kind kind, const QString &text)
{
    if (interceptor()) {
        interceptor()(kind, text);
        return;
    }
    QMessageBox box(kind == Kind::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    QApplication::applicationDisplayName(), text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowFlag(kKeepAbove);
    box.exec();
}

void MessageBox::setInterceptor(Interceptor newInterceptor)
{
    interceptor() = std::move(newInterceptor);
}

} // namespace zel
