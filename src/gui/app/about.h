#pragma once
// The Infos menu: the help document, the About window with its mail button and web link.
// Everything that reaches the desktop goes through the platform layer.

#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QString>
#include <QStringList>

namespace radexa {

// ---- The program's icon ----------------------------------------------------------------

// The program's icon (packaging/icons), from the window library's resources. It is set on
// the application as soon as a QGuiApplication exists in a program that links this file,
// so every window of the program shows it.
QIcon programIcon();

// ---- Help ------------------------------------------------------------------------------

// The manual, looked for in the working folder (where the catalogue is, too).
inline constexpr char HelpFileName[] = "Radexa_Help.pdf";

// "&Help": opens the manual with the desktop's viewer. When there is no such file
// nothing happens and nothing is reported. True when the desktop was asked.
bool openHelpDocument();

// ---- Mail ------------------------------------------------------------------------------

// A mailto: URL: recipient, copies and blind copies (each only when not empty), the
// subject and the body lines, each line ended by CR LF, all percent-encoded as UTF-8.
QString mailtoUrl(const QString& recipient, const QStringList& copies,
                  const QStringList& blindCopies, const QStringList& bodyLines,
                  const QString& subject);

// Hands a new mail to the desktop's mail client, which shows its compose window. A
// failure (no mail client) is not reported.
void sendMail(const QString& recipient, const QStringList& copies, const QStringList& blindCopies,
              const QStringList& bodyLines, const QString& subject);

// ---- Reporting problems ----------------------------------------------------------------

// An address that cannot receive mail: empty, without a "@" between a name and a domain,
// or in a domain kept for examples and tests (example.org, example.com, example.net and
// anything under .example, .invalid, .test or .localhost).
bool isPlaceholderAddress(const QString& address);

// Where problems go, in one line for the splash: to the address, or, while it is a
// placeholder, to the README's section "Reporting problems".
QString problemReportLine(const QString& address);

// "eMail me!": composes a mail to the address; while it is a placeholder, an information
// box says where problems are reported instead.
void reportProblem(QWidget* parent, const QString& address, const QString& greetedName);

// ---- Link label ------------------------------------------------------------------------

// A target as the desktop opens it: a URL with a scheme stays as it is; anything else
// (a bare host such as www.example.org, a file path) becomes the URL a user means by it.
QString desktopUrl(const QString& target);

// A label that opens its target when clicked: blue and underlined with a hand cursor,
// purple while the left button is held down on it. When the desktop cannot open the
// target the label disables itself.
class TLMDWebURLLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLMDWebURLLabel(QWidget* parent = nullptr);

    QString jump() const { return m_jump; }
    void setJump(const QString& jump) { m_jump = jump; }

    // Jump without blanks at both ends; when that is empty the caption, and a caption
    // holding an address with "@" becomes a mailto: target.
    QString linkTarget() const;
    // Asks the desktop to open the target; disables the label when that fails.
    void openTarget();

    static QColor linkColor() { return {0, 0, 255}; }
    static QColor pressedColor() { return {128, 0, 128}; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setTextColor(const QColor& color);

    QString m_jump;
    bool m_pressed = false;
};

// ---- About -----------------------------------------------------------------------------

class TAutorForm : public QDialog {
    Q_OBJECT
public:
    explicit TAutorForm(QWidget* parent = nullptr);

    static constexpr int ClientWidth = 513;
    static constexpr int ClientHeight = 243;
    // The resource path of the maintainers' picture (registered on first use).
    static QString portraitResource();
    // The body of the mail to the maintainers.
    static QStringList mailBodyLines(const QString& greetedName);
    // The memo of the maintainers: name, call, address (or where problems are reported
    // while it is a placeholder), other calls.
    static QStringList maintainerLines();

public slots:
    void InfoBut1Click(); // "&Close": closes the dialog, result cancelled
    void Button1Click();  // "eMail me!": reportProblem with the maintainers' address
};

// "&About": shows the About dialog modally and releases it when it closes.
void showAbout(QWidget* parent);

} // namespace radexa
