// Switching the main window between its four interface languages.

#include "gui/app/radexaform.h"

#include "gui/support/text.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
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
            return m.boundingRect(QRect(0, 0, room, 10000), Qt::TextWordWrap, text).height() <= w->height();
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
    }
}

} // namespace

QString TRadexaForm::message(MessageId id) const { return windowText(MessageText(m_language, id)); }

void TRadexaForm::applyLanguage(Language language) {
    m_language = language;
    for (Language l : kLanguages)
        if (auto* item = findChild<QAction*>(QString::fromLatin1(LanguageMenuItem(l).data(),
                                                                 static_cast<int>(LanguageMenuItem(l).size()))))
            item->setChecked(l == language);

    for (const LanguageText& t : LanguageTexts(language)) {
        const QString name = QString::fromLatin1(t.target.data(), static_cast<int>(t.target.size()));
        const QString text = windowText(t.text);
        switch (t.kind) {
        case TextTargetKind::Caption:
            if (QWidget* page = PageControl->findChild<QWidget*>(name);
                page && PageControl->indexOf(page) >= 0) {
                PageControl->setTabText(PageControl->indexOf(page), text);
            } else if (auto* label = findChild<QLabel*>(name)) {
                label->setText(text);
                if (label->property("basePointSize").isNull())
                    label->setProperty("basePointSize", label->font().pointSize());
                fitCaption(label, text, label->property("basePointSize").toInt());
            } else if (auto* group = findChild<QGroupBox*>(name)) {
                group->setTitle(text);
            } else if (auto* button = findChild<QPushButton*>(name)) {
                button->setText(text);
                if (button->property("basePointSize").isNull())
                    button->setProperty("basePointSize", button->font().pointSize());
                fitCaption(button, text, button->property("basePointSize").toInt());
            }
            break;
        case TextTargetKind::Menu:
            if (auto* menu = findChild<QMenu*>(name))
                menu->setTitle(text);
            else if (auto* action = findChild<QAction*>(name))
                action->setText(text);
            break;
        case TextTargetKind::Hint:
            if (auto* w = findChild<QWidget*>(name))
                w->setToolTip(text);
            break;
        case TextTargetKind::Message:
            break; // read through message() when shown
        }
    }
    m_hintsShown = HintsShown(language);
    // The language texts name the Angle page's title line too; the loaded antenna's
    // title belongs there as long as angle data are shown.
    if (m_angleDataAvailable)
        UpdateWinkelPage();
    calcCall();
}

bool TRadexaForm::eventFilter(QObject* watched, QEvent* event) {
    // With the window's hints switched off, no field of it shows a tool tip.
    if (event->type() == QEvent::ToolTip && !m_hintsShown) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this)
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace radexa
