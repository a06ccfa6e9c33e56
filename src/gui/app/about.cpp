#include "gui/app/about.h"

#include "gui/app/maintainer.h"
#include "gui/app/splash.h"
#include "gui/support/platform.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

// The pictures live in the window library, which is linked statically: their
// registration has to be asked for.
static void registerAboutResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(about);
        return true;
    }();
    (void)registered;
}

namespace radexa {

// ---- The program's icon ----------------------------------------------------------------

QIcon programIcon() {
    registerAboutResources();
    // 48 pixels: what a title bar or task bar shows, and quick to decode at start-up (the
    // package's 256-pixel picture took a tenth of the start-up).
    return QIcon(QStringLiteral(":/radexa/icons/radexa-48.png"));
}

namespace {

void setProgramIcon() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setWindowIcon(programIcon());
}

// Every window without an icon of its own shows the application's.
Q_COREAPP_STARTUP_FUNCTION(setProgramIcon)

} // namespace

// ---- Help ------------------------------------------------------------------------------

bool openHelpDocument() {
    const QFileInfo manual(QString::fromLatin1(HelpFileName));
    if (!manual.isFile())
        return false;
    desktop().openUrl(QUrl::fromLocalFile(manual.absoluteFilePath()).toString());
    return true;
}

// ---- Mail ------------------------------------------------------------------------------

namespace {

QString percentEncoded(const QString& text, const QByteArray& keep = {}) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text, keep));
}

QString addressList(const QStringList& addresses) {
    QStringList encoded;
    for (const QString& address : addresses)
        if (!address.trimmed().isEmpty())
            encoded << percentEncoded(address.trimmed(), "@");
    return encoded.join(QLatin1Char(','));
}

} // namespace

QString mailtoUrl(const QString& recipient, const QStringList& copies,
                  const QStringList& blindCopies, const QStringList& bodyLines,
                  const QString& subject) {
    QStringList fields;
    if (const QString cc = addressList(copies); !cc.isEmpty())
        fields << QStringLiteral("cc=") + cc;
    if (const QString bcc = addressList(blindCopies); !bcc.isEmpty())
        fields << QStringLiteral("bcc=") + bcc;
    fields << QStringLiteral("subject=") + percentEncoded(subject);
    QString body;
    for (const QString& line : bodyLines)
        body += line + QStringLiteral("\r\n");
    if (!body.isEmpty())
        fields << QStringLiteral("body=") + percentEncoded(body);
    return QStringLiteral("mailto:") + addressList({recipient}) + QLatin1Char('?') +
           fields.join(QLatin1Char('&'));
}

void sendMail(const QString& recipient, const QStringList& copies, const QStringList& blindCopies,
              const QStringList& bodyLines, const QString& subject) {
    // Without a mail client there is nothing the operator could do about it here.
    (void)desktop().openUrl(mailtoUrl(recipient, copies, blindCopies, bodyLines, subject));
}

// ---- Reporting problems ----------------------------------------------------------------

namespace {

const QString kReadmeSection = QStringLiteral("\"Reporting problems\"");

} // namespace

bool isPlaceholderAddress(const QString& address) {
    const QString a = address.trimmed().toLower();
    const qsizetype at = a.lastIndexOf(QLatin1Char('@'));
    if (at <= 0 || at == a.size() - 1)
        return true;
    const QString domain = a.mid(at + 1);
    for (const char* reserved :
         {"example.org", "example.com", "example.net", "example", "invalid", "test", "localhost"})
        if (domain == QLatin1String(reserved) ||
            domain.endsWith(QLatin1Char('.') + QLatin1String(reserved)))
            return true;
    return false;
}

QString problemReportLine(const QString& address) {
    if (isPlaceholderAddress(address))
        return QStringLiteral("Problems? See %1 in the README.").arg(kReadmeSection);
    return QStringLiteral("Please send bug reports to %1").arg(address.trimmed());
}

void reportProblem(QWidget* parent, const QString& address, const QString& greetedName) {
    if (!isPlaceholderAddress(address)) {
        sendMail(address.trimmed(), {}, {}, TAutorForm::mailBodyLines(greetedName),
                 QStringLiteral("Automail Radexa"));
        return;
    }
    dialogs().information(
        parent, QStringLiteral("eMail me!"),
        QStringLiteral("This copy of Radexa was built without a mail address of its "
                       "maintainers, so no mail can reach them.\n\n"
                       "Please report problems as the section %1 of the README describes: "
                       "README.md in the source, and share/doc/radexa/README.md where Radexa "
                       "is installed.")
            .arg(kReadmeSection));
}

// ---- Link label ------------------------------------------------------------------------

QString desktopUrl(const QString& target) {
    const QUrl url(target, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1) // one letter is a drive, not a scheme
        return target;
    return QUrl::fromUserInput(target).toString(QUrl::FullyEncoded);
}

TLMDWebURLLabel::TLMDWebURLLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setTextColor(linkColor());
}

QString TLMDWebURLLabel::linkTarget() const {
    const QString target = m_jump.trimmed();
    if (!target.isEmpty())
        return target;
    const QString caption = text();
    if (caption.contains(QLatin1Char('@')) &&
        !caption.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return QStringLiteral("mailto:") + caption;
    return caption;
}

void TLMDWebURLLabel::openTarget() {
    const QString target = linkTarget();
    if (target.isEmpty() || !desktop().openUrl(desktopUrl(target)))
        setEnabled(false);
}

void TLMDWebURLLabel::setTextColor(const QColor& color) {
    // The disabled look stays the toolkit's grey.
    QPalette p = palette();
    p.setColor(QPalette::Active, QPalette::WindowText, color);
    p.setColor(QPalette::Inactive, QPalette::WindowText, color);
    setPalette(p);
}

void TLMDWebURLLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    m_pressed = true;
    setTextColor(pressedColor());
    event->accept();
}

void TLMDWebURLLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed)
        return QLabel::mouseReleaseEvent(event);
    m_pressed = false;
    setTextColor(linkColor());
    event->accept();
    if (rect().contains(event->position().toPoint()))
        openTarget();
}

// ---- About -----------------------------------------------------------------------------

namespace {

QPlainTextEdit* makeMemo(QWidget* parent, const char* name, const QRect& geometry,
                         const QStringList& lines) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QLatin1String(name));
    memo->setGeometry(geometry);
    memo->setReadOnly(true);
    memo->setFont(formFont(QStringLiteral("Comic Sans MS"), 8));
    QPalette grey = memo->palette();
    grey.setColor(QPalette::Base, QColor(192, 192, 192));
    memo->setPalette(grey);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setPlainText(lines.join(QLatin1Char('\n')));
    return memo;
}

} // namespace

QString TAutorForm::portraitResource() {
    registerAboutResources();
    return QStringLiteral(":/radexa/about/portrait.jpg");
}

QStringList TAutorForm::mailBodyLines(const QString& greetedName) {
    return {QStringLiteral("Hello %1,").arg(greetedName), QString()};
}

QStringList TAutorForm::maintainerLines() {
    const QString address = QString::fromUtf8(maintainer::EmailAddress);
    return {QString::fromUtf8(maintainer::Name),
            QStringLiteral("Call: %1").arg(QString::fromUtf8(maintainer::CallSign)),
            QStringLiteral("eMail:"),
            isPlaceholderAddress(address) ? QStringLiteral("none yet: see README") : address,
            QStringLiteral("Other calls:"),
            QString::fromUtf8(maintainer::OtherCallSigns)};
}

TAutorForm::TAutorForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("AutorForm"));
    setWindowTitle(QStringLiteral("About"));
    setFont(formFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(ClientWidth, ClientHeight);
    QPalette menuColoured = palette();
    menuColoured.setColor(QPalette::Window, QApplication::palette("QMenu").color(QPalette::Window));
    setPalette(menuColoured);
    setAutoFillBackground(true);

    // Left: the program.
    auto* program = new QGroupBox(QStringLiteral("Programm Info"), this);
    program->setObjectName(QStringLiteral("GroupBox2"));
    program->setGeometry(8, 4, 205, 231);
    auto* title = new RaisedTitleLabel(program);
    title->setObjectName(QStringLiteral("LMDGraphicLabel"));
    title->setGeometry(8, 16, 189, 58);
    title->setPointSize(30);
    title->setText(QStringLiteral("Radexa"));
    makeMemo(program, "Memo2", QRect(8, 78, 189, 118),
             {QStringLiteral("Programm to perform RF-Expose "),
              QStringLiteral("calculations on amateur radio "), QStringLiteral("stations."),
              QStringLiteral("Exposure limits are based on the "),
              QStringLiteral("International Commision on "),
              QStringLiteral("Non-Ionizing Radiation "), QStringLiteral("Protection")});
    auto* link = new TLMDWebURLLabel(program);
    link->setObjectName(QStringLiteral("LaLink"));
    link->setGeometry(8, 202, 189, 20);
    link->setAlignment(Qt::AlignCenter);
    link->setText(QString::fromUtf8(maintainer::CommissionCaption));
    link->setJump(QString::fromUtf8(maintainer::CommissionUrl));

    // Right: the maintainers.
    auto* author = new QGroupBox(QStringLiteral("Author"), this);
    author->setObjectName(QStringLiteral("GroupBox1"));
    author->setGeometry(219, 4, 286, 188);
    auto* portrait = new QLabel(author);
    portrait->setObjectName(QStringLiteral("Image1"));
    portrait->setGeometry(10, 22, 118, 153);
    QImageReader reader(portraitResource());
    const QImage picture = reader.read();
    if (!picture.isNull()) {
        portrait->setPixmap(QPixmap::fromImage(picture));
        portrait->resize(picture.size()); // shown at its own size
    }
    makeMemo(author, "Memo1", QRect(136, 22, 142, 118), maintainerLines());
    auto* mail = new QPushButton(QStringLiteral("eMail me!"), author);
    mail->setObjectName(QStringLiteral("Button1"));
    mail->setGeometry(136, 148, 142, 27);
    mail->setAutoDefault(false);
    connect(mail, &QPushButton::clicked, this, &TAutorForm::Button1Click);

    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("InfoBut1"));
    close->setGeometry(385, 199, 120, 36);
    close->setFont(formFont(QStringLiteral("MS Sans Serif"), 12, true));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &TAutorForm::InfoBut1Click);
}

void TAutorForm::InfoBut1Click() {
    reject();
}

void TAutorForm::Button1Click() {
    reportProblem(this, QString::fromUtf8(maintainer::EmailAddress),
                  QString::fromUtf8(maintainer::FirstName));
}

void showAbout(QWidget* parent) {
    TAutorForm about(parent);
    about.exec();
}

} // namespace radexa
