#pragma once
// The own-antenna dialog: name, type, category and any number of frequency points of an
// antenna of the operator's own; "Save Antenna" appends it to the user antenna file.

#include "core/antennas/makeant.h"

#include <QDialog>
#include <QString>

class QGroupBox;
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

    void ButAddFrequenzClick();
    // Checks the entries; a warning names the first bad field and nothing is written.
    // Otherwise appends the antenna to UserFileName, confirms and closes the dialog.
    void ButSaveAntClick();
    void ButCancelClick();

    // The user antenna file to write, set by the main window before showing the dialog.
    QString UserFileName;
    // The points added so far, as typed.
    const std::vector<OwnAntennaPoint>& points() const { return m_points; }
    // The confirmation text in the dialog's language.
    QString SavedMessage() const;

    QLabel *LaName = nullptr, *LaTyp = nullptr, *LaKategorie = nullptr, *LaFrequenz = nullptr,
           *LaGewinn = nullptr, *LaElemente = nullptr;
    QLineEdit *EditName = nullptr, *EditAntTyp = nullptr, *EditKategorie = nullptr,
              *EditFrequenz = nullptr, *EditGewinn = nullptr, *EditElemente = nullptr;
    QPushButton *ButAddFrequenz = nullptr, *ButSaveAnt = nullptr, *ButCancel = nullptr;
    QGroupBox* GBAntenneneigenschaften = nullptr;
    QPlainTextEdit* Memo = nullptr;
    QLabel* Image1 = nullptr;

private:
    void FormCreate();
    QString text(OwnAntennaText id) const;

    std::string m_languageName;
    std::vector<OwnAntennaPoint> m_points; // PointFrequencies, PointGains, PointElements
};

} // namespace radexa
