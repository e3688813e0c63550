#include "preview_window.h"

#include "print_progress_window.h"
#include "print_settings.h"

#include "platform/report/pdf_writer.h"
#include "platform/report/report_renderer.h"
#include "platform/ui/msg.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace print {

TPrevForm *PrevForm = nullptr;

namespace {

constexpr int kScrollStep = 16;
constexpr int kMaxZoom = 500;

// Prints the pages on the current printer, the origin at its printable area.
bool printOnPrinter(const report::Document &doc, int copies)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(doc.title);
    printer.setCopyCount(copies);
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (i > 0) printer.newPage();
        report::renderPage(painter, doc, i, printer.resolution(), report::RenderOrigin::Printable);
    }
    return painter.end();
}

QString askPdfFile(QWidget *parent, const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Uložit do PDF"), suggested,
                                        QStringLiteral("Dokument PDF (*.pdf)"));
}

} // namespace

// The page itself, drawn by the report renderer at the preview's zoom.
class TPrevForm::PageView : public QWidget {
public:
    explicit PageView(TPrevForm *form) : QWidget(nullptr), m_form(form) { setAutoFillBackground(false); }
    void updateSize()
    {
        const report::Document &doc = m_form->m_document;
        const double scale = m_form->m_zoom / 100.0;
        setFixedSize(std::max(1, int(std::ceil(doc.geometry.paper.width() * scale))),
                     std::max(1, int(std::ceil(doc.geometry.paper.height() * scale))));
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        report::renderPage(painter, m_form->m_document, m_form->m_page, report::kLayoutDpi * m_form->m_zoom / 100.0);
    }

private:
    TPrevForm *m_form;
};

TPrevForm::TPrevForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PrevForm"));
    setWindowTitle(QStringLiteral("Velorad - Náhled před tiskem"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    printDocument = printOnPrinter;
    choosePdfFile = askPdfFile;

    auto tool = [this](const QString &text, const QString &hint, const QString &name) {
        auto *b = new QToolButton(this);
        b->setText(text);
        b->setToolTip(hint);
        b->setObjectName(name);
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    m_fitWindow = tool(QStringLiteral("Podle okna"), QStringLiteral("Podle okna"), QStringLiteral("PodleOknaButton"));
    m_fullSize = tool(QStringLiteral("100%"), QStringLiteral("100%"), QStringLiteral("StoButton"));
    m_pageWidth = tool(QStringLiteral("Šířka strany"), QStringLiteral("Šířka strany"), QStringLiteral("SirkaButton"));
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setObjectName(QStringLiteral("ZoomBox"));
    m_zoomBox->setEditable(true);
    m_zoomBox->setInsertPolicy(QComboBox::NoInsert);
    m_zoomBox->addItems({QStringLiteral("300%"), QStringLiteral("250%"), QStringLiteral("200%"), QStringLiteral("150%"),
                         QStringLiteral("100%"), QStringLiteral("75%"), QStringLiteral("50%"), QStringLiteral("25%")});
    m_zoomBox->lineEdit()->setMaxLength(4);
    m_zoomBox->setToolTip(QStringLiteral("Měřítko zobrazení náhledu"));
    m_first = tool(QStringLiteral("|<"), QStringLiteral("První strana"), QStringLiteral("PrvniButton"));
    m_prior = tool(QStringLiteral("<"), QStringLiteral("Předchozí strana"), QStringLiteral("PredchoziButton"));
    m_pagePanel = new QLabel(this);
    m_pagePanel->setObjectName(QStringLiteral("StranaPanel"));
    m_pagePanel->setFrameShape(QFrame::Panel);
    m_pagePanel->setFrameShadow(QFrame::Sunken);
    m_pagePanel->setMinimumWidth(110);
    m_pagePanel->setAlignment(Qt::AlignCenter);
    m_next = tool(QStringLiteral(">"), QStringLiteral("Další strana"), QStringLiteral("DalsiButton"));
    m_last = tool(QStringLiteral(">|"), QStringLiteral("Poslední strana"), QStringLiteral("PosledniButton"));
    m_print = new QPushButton(QStringLiteral("&Tisk"), this);
    m_print->setObjectName(QStringLiteral("TiskButton"));
    m_print->setToolTip(QStringLiteral("Tisk dokumentu F6"));
    m_print->setAutoDefault(false);
    m_pdf = new QPushButton(QStringLiteral("Uložit do P&DF"), this);
    m_pdf->setObjectName(QStringLiteral("PdfButton"));
    m_pdf->setToolTip(QStringLiteral("Uloží dokument do souboru PDF"));
    m_pdf->setAutoDefault(false);
    m_close = new QPushButton(QStringLiteral("&Zavřít"), this);
    m_close->setObjectName(QStringLiteral("ZavritButton"));
    m_close->setToolTip(QStringLiteral("Ukončení"));
    m_close->setAutoDefault(false);

    auto *bar = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{m_fitWindow, m_fullSize, m_pageWidth, m_zoomBox, m_first, m_prior,
                                                       m_pagePanel, m_next, m_last, m_print, m_pdf, m_close})
        bar->addWidget(w);
    bar->addStretch();

    m_view = new PageView(this);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("PageArea"));
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setWidget(m_view);
    m_status = new QStatusBar(this);
    m_status->setSizeGripEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 0);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_status);

    connect(m_fitWindow, &QToolButton::clicked, this, &TPrevForm::fitToWindow);
    connect(m_fullSize, &QToolButton::clicked, this, [this] { setZoom(100); });
    connect(m_pageWidth, &QToolButton::clicked, this, &TPrevForm::fitToWidth);
    connect(m_zoomBox, &QComboBox::editTextChanged, this, &TPrevForm::zoomTyped);
    connect(m_first, &QToolButton::clicked, this, [this] { showPage(0); });
    connect(m_prior, &QToolButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QToolButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(m_last, &QToolButton::clicked, this, [this] { showPage(m_document.pageCount() - 1); });
    connect(m_print, &QPushButton::clicked, this, &TPrevForm::printAll);
    connect(m_pdf, &QPushButton::clicked, this, &TPrevForm::saveAsPdf);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    const QScreen *screen = QGuiApplication::primaryScreen();
    const bool small = screen && screen->size().width() <= 640 && screen->size().height() <= 480;
    resize(small ? QSize(640, 453) : QSize(800, 573));
    move(0, 0);
    writeZoomBox();
    updatePageControls();
}

TPrevForm::~TPrevForm()
{
    if (m_filtering) qApp->removeEventFilter(this);
}

bool TPrevForm::handleKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = (modifiers & Qt::ControlModifier) != 0;
    const Qt::KeyboardModifiers others = modifiers & ~(Qt::ControlModifier | Qt::KeypadModifier);
    if (others != Qt::NoModifier) return false;
    auto press = [](QToolButton *b) {
        if (b->isEnabled()) b->click();
        return true;
    };
    if (ctrl) {
        switch (key) {
        case Qt::Key_Home: return press(m_first);
        case Qt::Key_End: return press(m_last);
        case Qt::Key_Up: scrollBy(0, -kScrollStep); return true;
        case Qt::Key_Down: scrollBy(0, kScrollStep); return true;
        case Qt::Key_Left: scrollBy(-kScrollStep, 0); return true;
        case Qt::Key_Right: scrollBy(kScrollStep, 0); return true;
        default: return false;
        }
    }
    switch (key) {
    case Qt::Key_PageUp: return press(m_prior);
    case Qt::Key_PageDown: return press(m_next);
    case Qt::Key_F6:
        if (m_print->isEnabled()) printAll();
        return true;
    default: return false;
    }
}

bool TPrevForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && isVisible()) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && w->window() == this) {
            auto *k = static_cast<QKeyEvent *>(event);
            if (handleKey(k->key(), k->modifiers())) return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPrevForm::setDocument(report::Document document, int printerCopies, int printRuns)
{
    m_document = std::move(document);
    m_printerCopies = std::max(1, printerCopies);
    m_printRuns = std::max(1, printRuns);
    m_page = 0;
    m_view->updateSize();
    updatePageControls();
}

void TPrevForm::setOutput(const PrintOutput &output) { setDocument(output.document, output.printerCopies, output.printRuns); }

void TPrevForm::setStatusText(const QString &text) { m_status->showMessage(text); }

QString TPrevForm::statusText() const { return m_status->currentMessage(); }

QString TPrevForm::pagePanelText() const { return m_pagePanel->text(); }

TPrevForm::ZoomEntry TPrevForm::parseZoom(const QString &text, int *value)
{
    QString t = text.trimmed();
    if (t.endsWith(QLatin1Char('%'))) t.chop(1);
    bool ok = false;
    const int v = t.trimmed().toInt(&ok);
    if (!ok) return ZoomEntry::Ignore;
    if (v > kMaxZoom || v < 0) return ZoomEntry::OutOfRange;
    if (v == 0) return ZoomEntry::Ignore; // a page of no size cannot be shown
    if (value) *value = v;
    return ZoomEntry::Apply;
}

void TPrevForm::zoomTyped(const QString &text)
{
    int value = 0;
    switch (parseZoom(text, &value)) {
    case ZoomEntry::Apply:
        scrollToTopLeft();
        m_zoom = value;
        m_view->updateSize();
        scrollToTopLeft();
        break;
    case ZoomEntry::OutOfRange:
        ui::Msg::information(QStringLiteral("Číslo může být maximálně 500."), this);
        break;
    case ZoomEntry::Ignore: break;
    }
}

void TPrevForm::writeZoomBox()
{
    const QSignalBlocker block(m_zoomBox);
    m_zoomBox->setEditText(QStringLiteral("%1%").arg(m_zoom));
}

void TPrevForm::setZoom(int percent)
{
    m_zoom = std::clamp(percent, 1, kMaxZoom);
    m_view->updateSize();
    writeZoomBox();
}

void TPrevForm::fitToWindow()
{
    const QSize area = m_scroll->viewport()->size();
    const QSizeF paper = m_document.geometry.paper;
    const double z = std::min(area.width() / paper.width(), area.height() / paper.height()) * 100;
    setZoom(std::max(1, int(std::floor(z))));
}

void TPrevForm::fitToWidth()
{
    const int width = m_scroll->viewport()->width() - m_scroll->verticalScrollBar()->sizeHint().width();
    setZoom(std::max(1, int(std::floor(width / m_document.geometry.paper.width() * 100))));
}

void TPrevForm::showPage(int index)
{
    const int count = m_document.pageCount();
    if (count == 0 || index < 0 || index >= count) return;
    m_page = index;
    m_view->update();
    updatePageControls();
}

void TPrevForm::updatePageControls()
{
    const int count = m_document.pageCount();
    m_pagePanel->setText(QStringLiteral("Strana %1 z %2").arg(count == 0 ? 0 : m_page + 1).arg(count));
    const bool back = count > 1 && m_page > 0;
    const bool forward = count > 1 && m_page < count - 1;
    m_first->setEnabled(back);
    m_prior->setEnabled(back);
    m_next->setEnabled(forward);
    m_last->setEnabled(forward);
}

void TPrevForm::scrollToTopLeft()
{
    m_scroll->horizontalScrollBar()->setValue(0);
    m_scroll->verticalScrollBar()->setValue(0);
}

void TPrevForm::scrollBy(int dx, int dy)
{
    QScrollBar *h = m_scroll->horizontalScrollBar();
    QScrollBar *v = m_scroll->verticalScrollBar();
    h->setValue(h->value() + dx);
    v->setValue(v->value() + dy);
}

void TPrevForm::printAll()
{
    m_print->setEnabled(false);
    if (m_progress) {
        m_progress->show();
        QApplication::processEvents();
    }
    bool ok = true;
    for (int run = 0; run < m_printRuns && ok; ++run) ok = printDocument && printDocument(m_document, m_printerCopies);
    if (m_progress) {
        m_progress->hide();
        activateWindow();
    }
    if (ok) m_printed = true;
    else ui::Msg::error(QStringLiteral("Tiskárna není dostupná."), this);
    m_print->setEnabled(true);
}

void TPrevForm::saveAsPdf()
{
    QString suggested = m_document.title;
    suggested.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    const QString path = choosePdfFile ? choosePdfFile(this, suggested + QStringLiteral(".pdf")) : QString();
    if (path.isEmpty()) return;
    QString error;
    if (!report::writePdf(m_document, path, &error)) ui::Msg::error(error, this);
}

void TPrevForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_filtering) {
        qApp->installEventFilter(this);
        m_filtering = true;
    }
    if (m_settings) {
        int stored = m_settings->integer(kPrintSection, QStringLiteral("Nahled"), 100);
        if (parseZoom(QString::number(stored), &stored) == ZoomEntry::Apply) setZoom(stored);
    }
    m_page = 0;
    m_view->updateSize();
    updatePageControls();
    scrollToTopLeft();
    setWindowState(windowState() | Qt::WindowMaximized);
    m_print->setFocus();
}

void TPrevForm::hideEvent(QHideEvent *event)
{
    if (m_filtering) {
        qApp->removeEventFilter(this);
        m_filtering = false;
    }
    if (m_settings) {
        m_settings->setInteger(kPrintSection, QStringLiteral("Nahled"), m_zoom);
        m_settings->save();
    }
    QDialog::hideEvent(event);
}

} // namespace print
