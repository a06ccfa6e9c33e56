#pragma once
// The single-line text field used for every value on the main window: aligned text,
// Enter that leaves the field like Tab (ExitOnEnterKey), and the click, double-click and
// leave events that the window's handlers hang on.

#include <QLineEdit>

namespace radexa {

class TEditAlign : public QLineEdit {
    Q_OBJECT
public:
    explicit TEditAlign(QWidget* parent = nullptr);

    bool exitOnEnterKey() const { return m_exitOnEnterKey; }
    void setExitOnEnterKey(bool on) { m_exitOnEnterKey = on; }

    // Background colour of the field (read-only fields are shown in the button face).
    void setBackground(const QColor& colour);
    QColor background() const;

signals:
    // The focus left the field for another control of the same window (Tab, Enter with
    // ExitOnEnterKey, a click elsewhere). Not emitted when a box or menu takes the focus.
    void exited();
    // By the mouse; Enter on a field that Enter does not leave gives both as well, so that
    // what a click or double-click opens can be reached from the keyboard.
    void clicked();
    void doubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_exitOnEnterKey = false;
};

} // namespace radexa
