#include "gui/support/platform.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QImage>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace radexa {

namespace {

class QtDialogs final : public Dialogs {
public:
    void warning(QWidget* parent, const QString& title, const QString& text) override {
        QMessageBox::warning(parent, title, text, QMessageBox::Ok);
    }
    void information(QWidget* parent, const QString& title, const QString& text) override {
        QMessageBox::information(parent, title, text, QMessageBox::Ok);
    }
    std::optional<QString> textInput(QWidget* parent, const QString& caption, const QString& prompt,
                                     const QString& preset) override {
        bool ok = false;
        const QString text =
            QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, preset, &ok);
        if (!ok)
            return std::nullopt;
        return text;
    }
    std::optional<QString> openFileName(QWidget* parent, const QString& caption,
                                        const QString& proposed, const QString& filter,
                                        const QString& selectedFilter) override {
        QString selected = selectedFilter;
        const QString name =
            QFileDialog::getOpenFileName(parent, caption, proposed, filter, &selected);
        if (name.isEmpty())
            return std::nullopt;
        return name;
    }
    std::optional<QString> saveFileName(QWidget* parent, const QString& caption,
                                        const QString& proposed, const QString& filter,
                                        const QString& selectedFilter,
                                        const QString& defaultSuffix) override {
        QFileDialog dialog(parent, caption, proposed, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(defaultSuffix);
        if (!selectedFilter.isEmpty())
            dialog.selectNameFilter(selectedFilter);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }
    std::optional<QColor> color(QWidget* parent, const QColor& initial) override {
        const QColor c = QColorDialog::getColor(initial, parent);
        if (!c.isValid())
            return std::nullopt;
        return c;
    }
};

class QtDesktop final : public Desktop {
public:
    bool openUrl(const QString& url) override { return QDesktopServices::openUrl(QUrl(url)); }
    void setClipboardText(const QString& text) override {
        QApplication::clipboard()->setText(text);
    }
    void setClipboardImage(const QImage& image) override {
        QApplication::clipboard()->setImage(image);
    }
};

QtDialogs g_qtDialogs;
QtDesktop g_qtDesktop;
Dialogs* g_dialogs = nullptr;
Desktop* g_desktop = nullptr;

} // namespace

Dialogs& dialogs() {
    return g_dialogs ? *g_dialogs : g_qtDialogs;
}
Desktop& desktop() {
    return g_desktop ? *g_desktop : g_qtDesktop;
}
void setDialogs(Dialogs* d) {
    g_dialogs = d;
}
void setDesktop(Desktop* d) {
    g_desktop = d;
}

} // namespace radexa
