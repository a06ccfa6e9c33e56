// Switching the main window between its four interface languages.

#include "gui/app/mainwindow.h"

#include "gui/support/text.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <algorithm>

namespace radexa {

namespace {

// Window texts keep line breaks as "\n"; the tables hold CR LF.
QString windowText(const std::string& cp1252) {
    QString t = toQ(cp1252);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

// Keeps a caption inside its fixed place: a smaller font where it does not fit, down to
// 6 pt, and beyond that the text elided with the whole text as tool tip.
void fitCaption(QWidget* w, const QString& text, int basePointSize) {
    QFont f = w->font();
    f.setPointSize(basePointSize);
    auto* label = qobject_cast<QLabel*>(w);
    const bool wrap = label && label->wordWrap();
    const int room = w->width() - (qobject_cast<QPushButton*>(w) ? 8 : 0);
    auto fits = [&](const QFont& font) {
        const QFontMetrics m(font);
        if (wrap)
            return m.boundingRect(QRect(0, 0, room, 10000), Qt::TextWordWrap, text).height() <=
                   w->height();
        int widest = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            widest = std::max(widest, m.horizontalAdvance(QString(line).remove(QLatin1Char('&'))));
        return widest <= room;
    };
    if (label && !wrap)
        label->setToolTip(QString());
    while (!fits(f) && f.pointSize() > 6)
        f.setPointSize(f.pointSize() - 1);
    w->setFont(f);
    if (label && !fits(f) && !wrap) {
        label->setText(QFontMetrics(f).elidedText(text, Qt::ElideRight, room));
        label->setToolTip(text);
        label->setProperty(kFullTextTip, true);
    }
}

// Puts a caption on a label or button. The layout is made for the texts it holds, so a
// caption is measured only when it differs from the one in place at its own size.
template <typename Widget> void putCaption(Widget* w, const QString& text) {
    if (w->property("basePointSize").isNull())
        w->setProperty("basePointSize", w->font().pointSize());
    const int base = w->property("basePointSize").toInt();
    if (w->text() == text && w->font().pointSize() == base)
        return;
    w->setText(text);
    fitCaption(w, text, base);
}

} // namespace

QString TRadexaForm::message(MessageId id) const {
    return windowText(MessageText(m_language, id));
}

void TRadexaForm::applyLanguage(Language language) {
    // What is being typed counts before the window is rendered in the new language.
    const bool taken = leaveTypedField();
    m_language = language;
    for (Language l : kLanguages)
        if (auto* item = findChild<QAction*>(QString::fromLatin1(
                LanguageMenuItem(l).data(), static_cast<int>(LanguageMenuItem(l).size()))))
            item->setChecked(l == language);
    putLanguageTexts(this);
    m_hintsShown = HintsShown(language);
    // The language texts name the Angle page's title line too; rendering the station puts
    // the taken antenna's title back there. A field just refused has said so already: the
    // station is only shown again, not calculated with the emptied field a second time.
    if (taken)
        calcCall();
    else
        render();
}

void TRadexaForm::putLanguageTexts(QWidget* within) {
    // Every named object once, instead of a search of the whole window per text.
    QHash<QString, QObject*> byName;
    for (QObject* o : within->findChildren<QObject*>())
        if (!o->objectName().isEmpty())
            byName.insert(o->objectName(), o);
    if (within == this)
        byName.insert(objectName(), this);

    for (const LanguageText& t : LanguageTexts(m_language)) {
        QObject* target =
            byName.value(QString::fromLatin1(t.target.data(), static_cast<int>(t.target.size())));
        if (!target)
            continue; // a message: read through message() when shown
        const QString text = windowText(t.text);
        switch (t.kind) {
        case TextTargetKind::Caption:
            if (const int tab = PageControl->indexOf(qobject_cast<QWidget*>(target)); tab >= 0)
                PageControl->setTabText(tab, text);
            else if (auto* label = qobject_cast<QLabel*>(target))
                putCaption(label, text);
            else if (auto* group = qobject_cast<QGroupBox*>(target))
                group->setTitle(text);
            else if (auto* button = qobject_cast<QPushButton*>(target))
                putCaption(button, text);
            else if (auto* radio = qobject_cast<QRadioButton*>(target))
                radio->setText(text);
            break;
        case TextTargetKind::Menu:
            if (auto* menu = qobject_cast<QMenu*>(target))
                menu->setTitle(text);
            else if (auto* action = qobject_cast<QAction*>(target))
                action->setText(text);
            break;
        case TextTargetKind::Hint:
            if (auto* w = qobject_cast<QWidget*>(target))
                w->setToolTip(text);
            break;
        case TextTargetKind::Message:
            break;
        }
    }
}

bool TRadexaForm::eventFilter(QObject* watched, QEvent* event) {
    // With the window's hints switched off, no field of it shows a hint; tips that show
    // a cut text whole are no hints.
    if (event->type() == QEvent::ToolTip && !m_hintsShown) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this && !w->property(kFullTextTip).toBool())
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace radexa
