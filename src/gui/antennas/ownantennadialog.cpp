#include "gui/antennas/ownantennadialog.h"

#include "core/antennas/ownantennapoint.h"
#include "gui/support/controls.h"
#include "gui/support/text.h"

#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

namespace radexa {

namespace {

template <typename T, typename... Args>
T* make(QWidget* parent, const char* name, const QRect& at, Args&&... args) {
    auto* w = new T(std::forward<Args>(args)..., parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(at);
    return w;
}

// The decoration: a Yagi seen from above, boom and elements.
QPixmap yagiPicture(const QSize& size) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 2));
    const int midX = size.width() / 2;
    p.drawLine(midX, 6, midX, size.height() - 6);
    const int elements = 5;
    for (int i = 0; i < elements; ++i) {
        const int y = 10 + i * (size.height() - 20) / (elements - 1);
        const int half = size.width() / 2 - 6 - i * 3;
        p.drawLine(midX - half, y, midX + half, y);
    }
    p.setPen(QPen(QColor(128, 0, 0), 2));
    p.drawLine(midX, size.height() - 6, midX, size.height());
    return picture;
}

} // namespace

TFormEigeneAntenne::TFormEigeneAntenne(const QString& languageName, QWidget* parent)
    : QDialog(parent), m_languageName(fromQ(languageName)) {
    setObjectName(QStringLiteral("FormEigeneAntenne"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(ClientWidth, ClientHeight);
    if (parent)
        setFont(parent->font());

    LaName = make<QLabel>(this, "LaName", QRect(8, 8, 196, 16));
    EditName = make<QLineEdit>(this, "EditName", QRect(8, 24, 192, 21), QStringLiteral("MyAnt"));
    LaTyp = make<QLabel>(this, "LaTyp", QRect(8, 50, 196, 16));
    EditAntTyp =
        make<QLineEdit>(this, "EditAntTyp", QRect(8, 66, 192, 21), QStringLiteral("MyAntTyp"));
    LaKategorie = make<QLabel>(this, "LaKategorie", QRect(8, 92, 200, 16));
    EditKategorie =
        make<QLineEdit>(this, "EditKategorie", QRect(8, 108, 192, 21), QStringLiteral("MYCLUB"));
    AcceptOnlyStoredText({EditName, EditAntTyp, EditKategorie});

    LaFrequenz = make<QLabel>(this, "LaFrequenz", QRect(212, 8, 163, 16));
    EditFrequenz =
        make<QLineEdit>(this, "EditFrequenz", QRect(212, 24, 80, 21), QStringLiteral("10"));
    LaGewinn = make<QLabel>(this, "LaGewinn", QRect(212, 50, 163, 16));
    EditGewinn = make<QLineEdit>(this, "EditGewinn", QRect(212, 66, 80, 21), QStringLiteral("3"));
    LaElemente = make<QLabel>(this, "LaElemente", QRect(212, 92, 163, 16));
    EditElemente =
        make<QLineEdit>(this, "EditElemente", QRect(212, 108, 80, 21), QStringLiteral("1"));
    for (QLabel* l : {LaName, LaTyp, LaKategorie, LaFrequenz, LaGewinn, LaElemente})
        l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

    Image1 = make<QLabel>(this, "Image1", QRect(304, 28, 71, 72));
    Image1->setPixmap(yagiPicture(Image1->size()));

    ButAddFrequenz = make<QPushButton>(this, "ButAddFrequenz", QRect(212, 140, 163, 25));
    ButAddFrequenz->setAutoDefault(false);
    ButRemovePoint = make<QPushButton>(this, "ButRemovePoint", QRect(212, 172, 163, 25));
    ButRemovePoint->setAutoDefault(false);

    GBAntenneneigenschaften =
        make<QGroupBox>(this, "GBAntenneneigenschaften", QRect(8, 136, 196, 165));
    Memo = make<QPlainTextEdit>(GBAntenneneigenschaften, "Memo", QRect(8, 20, 180, 137));
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPointSize(8);
    Memo->setFont(fixed);
    Memo->setReadOnly(true);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    ButSaveAnt = make<QPushButton>(this, "ButSaveAnt", QRect(212, 244, 163, 25));
    ButSaveAnt->setDefault(true);
    ButCancel = make<QPushButton>(this, "ButCancel", QRect(212, 276, 163, 25));
    ButCancel->setAutoDefault(false);

    setWindowTitle(text(OwnAntennaText::Caption));
    LaName->setText(text(OwnAntennaText::LaName));
    LaTyp->setText(text(OwnAntennaText::LaTyp));
    LaKategorie->setText(text(OwnAntennaText::LaKategorie));
    LaFrequenz->setText(text(OwnAntennaText::LaFrequenz));
    LaGewinn->setText(text(OwnAntennaText::LaGewinn));
    LaElemente->setText(text(OwnAntennaText::LaElemente));
    ButSaveAnt->setText(text(OwnAntennaText::ButSaveAnt));
    ButCancel->setText(text(OwnAntennaText::ButCancel));
    ButAddFrequenz->setText(text(OwnAntennaText::ButAddFrequenz));
    ButRemovePoint->setText(toQ(OwnPointDialogText(m_languageName, OwnPointText::ButRemovePoint)));
    ButRemovePoint->setToolTip(
        toQ(OwnPointDialogText(m_languageName, OwnPointText::RemovePointHint)));
    GBAntenneneigenschaften->setTitle(text(OwnAntennaText::GBAntenneneigenschaften));

    connect(ButAddFrequenz, &QPushButton::clicked, this, [this] { ButAddFrequenzClick(); });
    connect(ButRemovePoint, &QPushButton::clicked, this, [this] { ButRemovePointClick(); });
    for (QLineEdit* field : {EditFrequenz, EditGewinn, EditElemente})
        connect(field, &QLineEdit::textEdited, this, [this] { m_pointTyped = true; });
    connect(Memo, &QPlainTextEdit::cursorPositionChanged, this, [this] { markPointLine(); });
    connect(ButSaveAnt, &QPushButton::clicked, this, [this] { ButSaveAntClick(); });
    connect(ButCancel, &QPushButton::clicked, this, [this] { ButCancelClick(); });
    FormCreate();
}

void TFormEigeneAntenne::FormCreate() {
    m_points.clear();
    m_pointTyped = false;
    ButRemovePoint->setEnabled(false);
}

QString TFormEigeneAntenne::text(OwnAntennaText id) const {
    return toQ(OwnAntennaDialogText(m_languageName, id));
}

QString TFormEigeneAntenne::SavedMessage() const {
    return text(OwnAntennaText::SavedMessage);
}

void TFormEigeneAntenne::showPoints() {
    Memo->clear();
    for (const std::string& line : OwnAntennaMemoLines(m_points))
        Memo->appendPlainText(toQ(line));
    Memo->moveCursor(QTextCursor::Start); // nothing marked: "Remove Point" takes the last
    ButRemovePoint->setEnabled(!m_points.empty());
}

int TFormEigeneAntenne::markedPoint() const {
    const int point = Memo->textCursor().blockNumber() - 1;
    return point < static_cast<int>(m_points.size()) ? point : -1;
}

void TFormEigeneAntenne::markPointLine() {
    QList<QTextEdit::ExtraSelection> marks;
    if (markedPoint() >= 0) {
        QTextEdit::ExtraSelection line;
        line.format.setBackground(Memo->palette().color(QPalette::Highlight));
        line.format.setForeground(Memo->palette().color(QPalette::HighlightedText));
        line.format.setProperty(QTextFormat::FullWidthSelection, true);
        line.cursor = Memo->textCursor();
        line.cursor.clearSelection();
        marks << line;
    }
    Memo->setExtraSelections(marks);
}

bool TFormEigeneAntenne::ButAddFrequenzClick() {
    const OwnAntennaPoint point = StoredOwnAntennaPoint(
        {fromQ(EditFrequenz->text()), fromQ(EditGewinn->text()), fromQ(EditElemente->text())});
    const OwnAntennaProblem problem =
        CheckOwnAntennaPoint(point, static_cast<int>(m_points.size()));
    if (!problem.ok()) {
        ShowWarningText(toQ(OwnAntennaProblemText(m_languageName, problem)));
        QLineEdit* field = problem.field == OwnAntennaProblem::Field::Gain       ? EditGewinn
                           : problem.field == OwnAntennaProblem::Field::Elements ? EditElemente
                                                                                 : EditFrequenz;
        field->setFocus();
        field->selectAll();
        return false;
    }
    m_points.push_back(point);
    m_pointTyped = false;
    showPoints();
    return true;
}

void TFormEigeneAntenne::ButRemovePointClick() {
    if (m_points.empty())
        return;
    const int marked = markedPoint();
    m_points.erase(m_points.begin() +
                   (marked >= 0 ? marked : static_cast<int>(m_points.size()) - 1));
    showPoints();
}

void TFormEigeneAntenne::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QWidget* field = focusWidget();
    if (enter && (field == EditFrequenz || field == EditGewinn || field == EditElemente)) {
        // Enter in a point field adds the point; it does not save the antenna without it.
        ButAddFrequenzClick();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormEigeneAntenne::ButSaveAntClick() {
    // A point typed but not added belongs to what is saved; a wrong one stops the saving.
    const bool pointTyped = !(EditFrequenz->text().isEmpty() && EditGewinn->text().isEmpty() &&
                              EditElemente->text().isEmpty());
    if (m_pointTyped && pointTyped && !ButAddFrequenzClick())
        return;
    OwnAntenna antenna;
    antenna.name = fromQ(EditName->text());
    antenna.type = fromQ(EditAntTyp->text());
    antenna.category = fromQ(EditKategorie->text());
    antenna.points = m_points;
    const OwnAntennaProblem problem = CheckOwnAntenna(antenna);
    if (!problem.ok()) {
        ShowWarningText(toQ(OwnAntennaProblemText(m_languageName, problem)));
        return;
    }
    const std::string error =
        SaveOwnAntenna(QFile::encodeName(UserFileName).toStdString(), antenna);
    if (!error.empty()) {
        // The dialog stays open with the entries, so nothing typed is lost.
        ShowWarningText(text(OwnAntennaText::NotSaved) + QLatin1Char('\n') +
                        QFile::decodeName(error.c_str()));
        return;
    }
    ShowInfo(SavedMessage());
    accept();
}

void TFormEigeneAntenne::ButCancelClick() {
    reject();
}

} // namespace radexa
