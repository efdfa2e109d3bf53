// Every modal box, input prompt and chooser of the shell goes through this
// interface: the application shows real dialogs, the tests script answers.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QWidget;
class QPrinter;

namespace varrow {

enum class BoxIcon { None, Information, Warning, Error, Question };

// The application title, the caption of plain notices.
inline constexpr const char* kApplicationTitle = "VarrowV2.5";

class Ui {
public:
    virtual ~Ui() = default;

    // A box with a title, a text, an icon and an OK button.
    virtual void message(QWidget* parent, const QString& text, const QString& title, BoxIcon icon) = 0;
    // A Yes/No box; true for Yes.
    virtual bool question(QWidget* parent, const QString& text, const QString& title, BoxIcon icon) = 0;
    // A text prompt; nothing when cancelled.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& label,
                                             const QString& initial) = 0;
    // File choosers. The filter is given as "label|pattern|label|pattern";
    // filterIndex receives the 0-based chosen pair. Empty when cancelled.
    virtual QString openFile(QWidget* parent, const QString& title, const QString& filter,
                             int* filterIndex) = 0;
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                             int* filterIndex) = 0;
    virtual QString chooseFolder(QWidget* parent, const QString& title) = 0;
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial, QColor* colour) = 0;
    virtual std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) = 0;
    // The system print dialog on printer; false when cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // Opens a document with the system's default handler.
    virtual bool openDocument(const QString& path) = 0;

    // A plain notice: the application title as caption, no icon.
    void showMessage(QWidget* parent, const QString& text);

    // The one in use (the real dialogs unless a test installed another).
    static Ui& current();
    static void install(Ui* ui); // nullptr restores the real dialogs
};

// The real dialogs.
class QtUi : public Ui {
public:
    void message(QWidget* parent, const QString& text, const QString& title, BoxIcon icon) override;
    bool question(QWidget* parent, const QString& text, const QString& title, BoxIcon icon) override;
    std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& label,
                                     const QString& initial) override;
    QString openFile(QWidget* parent, const QString& title, const QString& filter, int* filterIndex) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& filter, int* filterIndex) override;
    QString chooseFolder(QWidget* parent, const QString& title) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial, QColor* colour) override;
    std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    bool openDocument(const QString& path) override;
};

// Colours as the settings files keep them: red in the low byte.
QColor toQColor(int bgr);
int fromQColor(const QColor& c);

// "label|pattern|label|pattern" as a Qt filter list "label (pattern);;...".
QString qtFilter(const QString& pipeFilter);

} // namespace varrow
