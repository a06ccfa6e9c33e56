#include "gui/support/editalign.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace radexa {

TEditAlign::TEditAlign(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignCenter);
}

void TEditAlign::setBackground(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Disabled, QPalette::Base, colour);
    setPalette(p);
}

QColor TEditAlign::background() const {
    return palette().color(QPalette::Base);
}

void TEditAlign::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept(); // swallowed in any case: the field is single-line
        if (m_exitOnEnterKey) {
            focusNextChild();
        } else {
            emit clicked();
            emit doubleClicked();
        }
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TEditAlign::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A message box or a menu taking the focus is not leaving the field; reacting to it
    // would show the same warning again and again.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit exited();
}

void TEditAlign::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    emit clicked();
}

void TEditAlign::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

} // namespace radexa
