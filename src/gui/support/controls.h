#pragma once
// The list controls of the main window and the helpers that find entries in them, tick
// check-list items and show the program's message boxes.

#include <QGroupBox>
#include <QListWidget>
#include <QStringList>

#include <string>
#include <vector>

class QButtonGroup;
class QComboBox;
class QRadioButton;

namespace radexa {

// A titled group of radio buttons laid out in columns (filled column by column).
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& title, const QStringList& items, int columns,
                QWidget* parent = nullptr);

    QStringList items() const;
    int count() const;
    QString itemText(int index) const;
    int itemIndex() const; // -1 when nothing is selected
    void setItemIndex(int index);
    QRadioButton* button(int index) const;
    // Lays the buttons out again after the group was resized.
    void arrange();

signals:
    void clicked(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QButtonGroup* m_group;
    std::vector<QRadioButton*> m_buttons;
    int m_columns;
};

// A list whose items carry a tick. The ticks are the program's to set: the operator
// chooses an item (by mouse or keyboard) and the program ticks it.
class TCheckListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TCheckListBox(QWidget* parent = nullptr);
    void setItems(const QStringList& items);
    bool checked(int index) const;
    void setChecked(int index, bool on);
    int itemIndex() const { return currentRow(); }
};

// Position of the last entry equal to the text (letter case ignored), or -1 with a
// warning naming the function and the control.
int RGEntryToIndex(const TRadioGroup* group, const QString& text);
int CBEntryToIndex(const QComboBox* box, const QString& text);
int LBEntryToIndex(const QListWidget* list, const QString& text);
int CLBEntryToIndex(const TCheckListBox* list, const QString& text);

void CLBUncheckAll(TCheckListBox* list);
// Ticks one item and selects it; a position past the end is reported.
void CLBSetCheck(TCheckListBox* list, int position);
void CLBCheckOnly(TCheckListBox* list, int position);

// The elements of a core text array (Windows-1252) as a list of window texts.
QStringList StringArrayToList(const std::vector<std::string>& array);

// Modal boxes with one OK button, titled "Warnung" and "Informationen".
void ShowWarning(const QString& message, const QString& heading);
void ShowWarningText(const QString& message);
void ShowInfo(const QString& message);

} // namespace radexa
