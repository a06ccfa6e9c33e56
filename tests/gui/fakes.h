#pragma once
// Scripted stand-ins for the platform layer: every box a window asks for is recorded,
// and answers are taken from queues. A box that nobody scripted an answer for fails the
// test instead of blocking.

#include "gui/support/platform.h"

#include <QImage>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <ostream>

// Window texts in test failures read as text, not as lists of 2-byte objects.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace radexa::testing {

struct ShownBox {
    QString kind; // "warning" or "information"
    QString title;
    QString text;
};

class FakeDialogs : public Dialogs {
public:
    FakeDialogs() { setDialogs(this); }
    ~FakeDialogs() override { setDialogs(nullptr); }

    std::vector<ShownBox> boxes;
    std::deque<std::optional<QString>> textAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<QColor>> colorAnswers;
    QStringList asked; // captions of text-input and file dialogs, in order
    QString lastProposedFile;
    QString lastFilter;
    QString lastSelectedFilter;

    void warning(QWidget*, const QString& title, const QString& text) override {
        boxes.push_back({"warning", title, text});
    }
    void information(QWidget*, const QString& title, const QString& text) override {
        boxes.push_back({"information", title, text});
    }
    std::optional<QString> textInput(QWidget*, const QString& caption, const QString& prompt,
                                     const QString& preset) override {
        asked << caption + "|" + prompt + "|" + preset;
        return next(textAnswers, caption);
    }
    std::optional<QString> openFileName(QWidget*, const QString& caption, const QString& proposed,
                                        const QString& filter,
                                        const QString& selectedFilter) override {
        remember(caption, proposed, filter, selectedFilter);
        return next(fileAnswers, caption);
    }
    std::optional<QString> saveFileName(QWidget*, const QString& caption, const QString& proposed,
                                        const QString& filter, const QString& selectedFilter,
                                        const QString&) override {
        remember(caption, proposed, filter, selectedFilter);
        return next(fileAnswers, caption);
    }
    std::optional<QColor> color(QWidget*, const QColor&) override {
        asked << "color";
        return next(colorAnswers, "color");
    }

    QStringList warnings() const { return texts("warning"); }
    QStringList informations() const { return texts("information"); }

private:
    template <typename T>
    std::optional<T> next(std::deque<std::optional<T>>& queue, const QString& what) {
        if (queue.empty()) {
            ADD_FAILURE() << "unscripted dialog: " << what.toStdString();
            return std::nullopt;
        }
        auto v = queue.front();
        queue.pop_front();
        return v;
    }
    void remember(const QString& caption, const QString& proposed, const QString& filter,
                  const QString& selectedFilter) {
        asked << caption;
        lastProposedFile = proposed;
        lastFilter = filter;
        lastSelectedFilter = selectedFilter;
    }
    QStringList texts(const QString& kind) const {
        QStringList out;
        for (const auto& b : boxes)
            if (b.kind == kind)
                out << b.text;
        return out;
    }
};

class FakeDesktop : public Desktop {
public:
    FakeDesktop() { setDesktop(this); }
    ~FakeDesktop() override { setDesktop(nullptr); }

    QStringList openedUrls;
    QString clipboardText;
    QImage clipboardImage;
    bool openResult = true;

    bool openUrl(const QString& url) override {
        openedUrls << url;
        return openResult;
    }
    void setClipboardText(const QString& text) override { clipboardText = text; }
    void setClipboardImage(const QImage& image) override { clipboardImage = image; }
};

} // namespace radexa::testing
