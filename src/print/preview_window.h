#pragma once

#include "report_preparation.h"

#include "platform/report/report_document.h"

#include <QDialog>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QToolButton;

namespace print {

class SettingsStore;
class TTiskInfoForm;

// Print preview window: the pages of a prepared report with zoom, page buttons, printing and
// saving as PDF.
class TPrevForm : public QDialog {
    Q_OBJECT
public:
    explicit TPrevForm(QWidget *parent = nullptr);
    ~TPrevForm() override;

    // The prepared report and its copies: printerCopies the printer makes per run, printRuns
    // the times all pages are sent.
    void setDocument(report::Document document, int printerCopies = 1, int printRuns = 1);
    void setOutput(const PrintOutput &output);
    const report::Document &document() const { return m_document; }
    // The status line under the page ("Budou vytištěny všechny stránky.").
    void setStatusText(const QString &text);
    QString statusText() const;
    // Where the zoom is kept between previews (key "Nahled" of section "Tisk"); may be null.
    void setSettingsStore(SettingsStore *store) { m_settings = store; }
    // The progress window shown while pages go to the printer; may be null.
    void setProgressWindow(TTiskInfoForm *progress) { m_progress = progress; }

    int pageIndex() const { return m_page; }   // 0-based
    int zoom() const { return m_zoom; }         // per cent
    QString pagePanelText() const;
    // Whether the pages were printed from this preview since the last reset.
    bool printed() const { return m_printed; }
    void resetPrinted() { m_printed = false; }

    // Sends every page to the printer with the given number of copies; returns false when
    // the printer could not be used. The default prints to the current printer.
    std::function<bool(const report::Document &, int copies)> printDocument;
    // The PDF file to save into; empty cancels. The default asks with a file dialog.
    std::function<QString(QWidget *parent, const QString &suggested)> choosePdfFile;

    // The zoom texts of the zoom box: a number, a trailing "%" ignored.
    enum class ZoomEntry { Apply, OutOfRange, Ignore };
    static ZoomEntry parseZoom(const QString &text, int *value);

    // The controls, by their names in the window.
    QToolButton *fitWindowButton() const { return m_fitWindow; }
    QToolButton *fullSizeButton() const { return m_fullSize; }
    QToolButton *pageWidthButton() const { return m_pageWidth; }
    QComboBox *zoomBox() const { return m_zoomBox; }
    QToolButton *firstButton() const { return m_first; }
    QToolButton *priorButton() const { return m_prior; }
    QToolButton *nextButton() const { return m_next; }
    QToolButton *lastButton() const { return m_last; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *pdfButton() const { return m_pdf; }
    QPushButton *closeButton() const { return m_close; }
    QScrollArea *scrollArea() const { return m_scroll; }

public Q_SLOTS:
    void showPage(int index);
    void setZoom(int percent);
    void fitToWindow();
    void fitToWidth();
    void printAll();
    void saveAsPdf();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    // The window's keys, seen before the focused control.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class PageView;
    void zoomTyped(const QString &text);
    void writeZoomBox();
    void updatePageControls();
    void scrollToTopLeft();
    void scrollBy(int dx, int dy);
    bool handleKey(int key, Qt::KeyboardModifiers modifiers);

    report::Document m_document;
    int m_printerCopies = 1;
    int m_printRuns = 1;
    int m_page = 0;
    int m_zoom = 100;
    bool m_printed = false;
    SettingsStore *m_settings = nullptr;
    TTiskInfoForm *m_progress = nullptr;

    QToolButton *m_fitWindow = nullptr, *m_fullSize = nullptr, *m_pageWidth = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QToolButton *m_first = nullptr, *m_prior = nullptr, *m_next = nullptr, *m_last = nullptr;
    QLabel *m_pagePanel = nullptr;
    QPushButton *m_print = nullptr, *m_pdf = nullptr, *m_close = nullptr;
    QScrollArea *m_scroll = nullptr;
    PageView *m_view = nullptr;
    QStatusBar *m_status = nullptr;
    bool m_filtering = false;
};

// The one preview window of the program, created at start-up.
extern TPrevForm *PrevForm;

} // namespace print
