#include "gui/support/controls.h"

#include "core/support/textnumbers.h"
#include "gui/support/platform.h"
#include "gui/support/text.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QRadioButton>
#include <QResizeEvent>

namespace radexa {

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, int columns,
                         QWidget* parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this)),
      m_columns(columns < 1 ? 1 : columns) {
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        m_group->addButton(b, i);
        m_buttons.push_back(b);
    }
    connect(m_group, &QButtonGroup::idClicked, this, &TRadioGroup::clicked);
}

QStringList TRadioGroup::items() const {
    QStringList out;
    for (auto* b : m_buttons)
        out << b->text();
    return out;
}

int TRadioGroup::count() const {
    return static_cast<int>(m_buttons.size());
}

QString TRadioGroup::itemText(int index) const {
    return index >= 0 && index < count() ? m_buttons[static_cast<std::size_t>(index)]->text()
                                         : QString();
}

int TRadioGroup::itemIndex() const {
    return m_group->checkedId();
}

void TRadioGroup::setItemIndex(int index) {
    if (index >= 0 && index < count()) {
        m_buttons[static_cast<std::size_t>(index)]->setChecked(true);
    } else if (auto* b = m_group->checkedButton()) {
        m_group->setExclusive(false);
        b->setChecked(false);
        m_group->setExclusive(true);
    }
}

QRadioButton* TRadioGroup::button(int index) const {
    return index >= 0 && index < count() ? m_buttons[static_cast<std::size_t>(index)] : nullptr;
}

void TRadioGroup::arrange() {
    if (m_buttons.empty())
        return;
    const int rows = (count() + m_columns - 1) / m_columns;
    const int top = 19, left = 8, bottom = 3;
    const int colWidth = (width() - 2 * left) / m_columns;
    const int rowHeight = rows > 0 ? (height() - top - bottom) / rows : 0;
    for (int i = 0; i < count(); ++i) {
        const int col = i / rows, row = i % rows;
        m_buttons[static_cast<std::size_t>(i)]->setGeometry(
            left + col * colWidth, top + row * rowHeight, colWidth - 2, rowHeight);
    }
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    arrange();
}

TCheckListBox::TCheckListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TCheckListBox::setItems(const QStringList& items) {
    clear();
    for (const auto& text : items) {
        auto* item = new QListWidgetItem(text, this);
        // Not checkable by the operator: Space must not tick a second item.
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
}

bool TCheckListBox::checked(int index) const {
    const auto* it = item(index);
    return it && it->checkState() == Qt::Checked;
}

void TCheckListBox::setChecked(int index, bool on) {
    if (auto* it = item(index))
        it->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

namespace {

template <typename Texts>
int entryToIndex(const Texts& texts, const QString& text, const char* function,
                 const QObject* control) {
    const std::string wanted = fromQ(text);
    int found = -1;
    for (int i = 0; i < texts.size(); ++i)
        if (SameTextNoCase(fromQ(texts[i]), wanted))
            found = i;
    if (found < 0)
        ShowWarning(QStringLiteral("Fehler (%1, %2): Index zum Eintrag nicht gefunden!")
                        .arg(QString::fromLatin1(function), control->objectName()),
                    QString());
    return found;
}

QStringList itemsOf(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

int RGEntryToIndex(const TRadioGroup* group, const QString& text) {
    return entryToIndex(group->items(), text, "RGEntryToIndex", group);
}

int CBEntryToIndex(const QComboBox* box, const QString& text) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return entryToIndex(items, text, "CBEntryToIndex", box);
}

int LBEntryToIndex(const QListWidget* list, const QString& text) {
    return entryToIndex(itemsOf(list), text, "LBEntryToIndex", list);
}

int CLBEntryToIndex(const TCheckListBox* list, const QString& text) {
    return entryToIndex(itemsOf(list), text, "CLBEntryToIndex", list);
}

void CLBUncheckAll(TCheckListBox* list) {
    for (int i = 0; i < list->count(); ++i)
        list->setChecked(i, false);
}

void CLBSetCheck(TCheckListBox* list, int position) {
    if (position > list->count() - 1)
        ShowWarning(QStringLiteral("Fehler (CLBSetCheck: %1): Index nicht im Bereich!")
                        .arg(list->objectName()),
                    QString());
    else
        list->setChecked(position, true);
    list->setCurrentRow(position);
}

void CLBCheckOnly(TCheckListBox* list, int position) {
    CLBUncheckAll(list);
    CLBSetCheck(list, position);
}

QStringList StringArrayToList(const std::vector<std::string>& array) {
    QStringList out;
    for (const auto& s : array)
        out << toQ(s);
    return out;
}

void ShowWarning(const QString& message, const QString& heading) {
    dialogs().warning(QApplication::activeWindow(), QStringLiteral("Warnung"),
                      heading + "\n" + message);
}

void ShowWarningText(const QString& message) {
    dialogs().warning(QApplication::activeWindow(), QStringLiteral("Warnung"), message);
}

void ShowInfo(const QString& message) {
    dialogs().information(QApplication::activeWindow(), QStringLiteral("Informationen"), message);
}

} // namespace radexa
