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

namespace radexa {

namespace {

// Window texts keep line breaks as "\n"; the tables hold CR LF.
QString windowText(const std::string& cp1252) {
    QString t = toQ(cp1252);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
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
            } else if (auto* group = findChild<QGroupBox*>(name)) {
                group->setTitle(text);
            } else if (auto* button = findChild<QPushButton*>(name)) {
                button->setText(text);
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
