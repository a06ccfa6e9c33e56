#pragma once
// The own-antenna dialog: name, type, category and any number of frequency points of an
// antenna of the operator's own; "Save Antenna" appends it to the user antenna file.
// Each point is checked when it is added and stored with the decimal point; a point can
// be removed again. Enter in a point field adds the point, and a point typed but not yet
// added is added (or refused) before saving, so nothing typed is dropped unseen.

#include "core/antennas/ownantenna.h"

#include <QDialog>
#include <QString>

class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace radexa {

class TFormEigeneAntenne : public QDialog {
    Q_OBJECT
public:
    // languageName is the main window's LanguageName ("Deutsch", "English", "French",
    // "Swedish"); the dialog shows German, Swedish or else English texts.
    explicit TFormEigeneAntenne(const QString& languageName, QWidget* parent = nullptr);

    static constexpr int ClientWidth = 383;
    static constexpr int ClientHeight = 309;

    // Adds the point of the three point fields, in the stored form; a point that would
    // not be saved is refused with a warning naming the field. True when added.
    bool ButAddFrequenzClick();
    // "Remove Point": the point whose line holds the list's cursor, or else the last one.
    void ButRemovePointClick();
    // Checks the entries; a warning names the first bad field and nothing is written.
    // Otherwise appends the antenna to UserFileName, confirms and closes the dialog.
    void ButSaveAntClick();
    void ButCancelClick();

    // The user antenna file to write, set by the main window before showing the dialog.
    QString UserFileName;
    // The points added so far, as stored.
    const std::vector<OwnAntennaPoint>& points() const { return m_points; }
    // A point has been typed into the point fields since the last one was added.
    bool pointPending() const { return m_pointTyped; }
    // The confirmation text in the dialog's language.
    QString SavedMessage() const;

    QLabel *LaName = nullptr, *LaTyp = nullptr, *LaKategorie = nullptr, *LaFrequenz = nullptr,
           *LaGewinn = nullptr, *LaElemente = nullptr;
    QLineEdit *EditName = nullptr, *EditAntTyp = nullptr, *EditKategorie = nullptr,
              *EditFrequenz = nullptr, *EditGewinn = nullptr, *EditElemente = nullptr;
    QPushButton *ButAddFrequenz = nullptr, *ButRemovePoint = nullptr, *ButSaveAnt = nullptr,
                *ButCancel = nullptr;
    QGroupBox* GBAntenneneigenschaften = nullptr;
    QPlainTextEdit* Memo = nullptr;
    QLabel* Image1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    QString text(OwnAntennaText id) const;
    void showPoints();
    // The 0-based point on the list's cursor line; -1 on the head line.
    int markedPoint() const;
    void markPointLine();

    std::string m_languageName;
    std::vector<OwnAntennaPoint> m_points; // PointFrequencies, PointGains, PointElements
    bool m_pointTyped = false;
};

} // namespace radexa
