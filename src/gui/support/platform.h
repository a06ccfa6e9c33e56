#pragma once
// The small platform layer: every modal dialog and every call into the desktop goes
// through these seams, so that tests script them and no test ever blocks on a box.

#include <QColor>
#include <QString>

#include <optional>

class QWidget;
class QImage;

namespace radexa {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Modal boxes with a single OK button.
    virtual void warning(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;
    // Caption, prompt and preset text; nothing when cancelled.
    virtual std::optional<QString> textInput(QWidget* parent, const QString& caption,
                                             const QString& prompt, const QString& preset) = 0;
    // File dialogs. filter uses Qt's form ("Text (*.txt);;All (*)"); selectedFilter
    // names the preselected entry. defaultSuffix is added when the name has none.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& caption,
                                                const QString& proposed, const QString& filter,
                                                const QString& selectedFilter) = 0;
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& caption,
                                                const QString& proposed, const QString& filter,
                                                const QString& selectedFilter,
                                                const QString& defaultSuffix) = 0;
    virtual std::optional<QColor> color(QWidget* parent, const QColor& initial) = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // Opens a document or a URL (mailto: included) with the desktop's program.
    virtual bool openUrl(const QString& url) = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual void setClipboardImage(const QImage& image) = 0;
};

// The implementations in force; the Qt ones unless a test has put its own in place.
Dialogs& dialogs();
Desktop& desktop();
// Replaces the implementation (nullptr puts the Qt one back). Not owned.
void setDialogs(Dialogs* d);
void setDesktop(Desktop* d);

} // namespace radexa
