// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpreviewdialog.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextOption>
#include <QToolBar>
#include <QVBoxLayout>

#include "common/fileio.h"
#include "print/printgrid.h"
#include "print/qt/pagepainter.h"
#include "print/qt/qtfontmetrics.h"
#include "print/reportdate.h"
#include "ui/widgets/dialogbuttons.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {

namespace {

// The window's fixed size: room for the report's three columns at their tab stops.
constexpr int kWindowWidth = 720;
constexpr int kWindowHeight = 560;
constexpr int kDateLabelWidth = 130;
constexpr int kDateLabelRightGap = 8;

constexpr std::string_view kNoPrinterMessage =
    "There is no printer to print on.\rAdd a printer in the system's printer settings, or "
    "choose printing to a PDF file in \"Printer setup\".";

QFont PixelFont(const char* family, int pixels, bool bold, bool italic = false) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

void SetTextColour(QWidget& widget, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::Text, colour);
  widget.setPalette(palette);
}

std::chrono::year_month_day Today() {
  const QDate today = QDate::currentDate();
  return std::chrono::year_month_day{std::chrono::year{today.year()},
                                     std::chrono::month{static_cast<unsigned>(today.month())},
                                     std::chrono::day{static_cast<unsigned>(today.day())}};
}

std::string DateText(const PrintPreviewContext& context) {
  const std::chrono::year_month_day date = context.date.value_or(Today());
  if (context.dateFormats != nullptr) return ReportDateText(*context.dateFormats, date);
  IcuDateFormats formats(UserDateLocale());
  return ReportDateText(formats, date);
}

const char* CaptionOf(PreviewCommand command) {
  switch (command) {
    case PreviewCommand::PrinterSetup:
      return "Printer setup";
    case PreviewCommand::Print:
      return "Print";
    case PreviewCommand::Songbook:
      return "Songbook...";
    case PreviewCommand::SaveReport:
      return "Save Report";
  }
  return "";
}

const char* HintOf(PreviewCommand command) {
  switch (command) {
    case PreviewCommand::PrinterSetup:
      return "Choose the printer and its paper";
    case PreviewCommand::Print:
      return "Print the list on the printer";
    case PreviewCommand::Songbook:
      return "Save a songbook of these songs as a PDF file";
    case PreviewCommand::SaveReport:
      return "Save the list as a text file";
  }
  return "";
}

}  // namespace

TPreviewWin::TPreviewWin(PrintPreviewContext context, QWidget* parent)
    : QDialog(parent),
      m_context(std::move(context)),
      m_heading{m_context.title, DateText(m_context)},
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setObjectName(QStringLiteral("TPreviewWin"));
  setWindowTitle(QStringLiteral("Print Preview"));
  setModal(true);
  // The page engine measures from the paper's edge.
  m_printer->setFullPage(true);
  m_printer->setDocName(QString::fromLatin1(kPrintJobName));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildToolbar();
  layout->addWidget(m_toolbar);
  layout->addWidget(BuildReportArea(), 1);
  setFixedSize(kWindowWidth, kWindowHeight);

  Fill();

  // Keys reach the window before the control that has the focus.
  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  m_pane->setFocus();
}

TPreviewWin::~TPreviewWin() = default;

void TPreviewWin::BuildToolbar() {
  m_toolbar = new QToolBar(this);
  m_toolbar->setObjectName(QStringLiteral("PreviewToolbar"));
  m_toolbar->setMovable(false);
  m_toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const PreviewCommand command : {PreviewCommand::PrinterSetup, PreviewCommand::Print,
                                       PreviewCommand::Songbook, PreviewCommand::SaveReport}) {
    QAction* action = m_toolbar->addAction(QString::fromLatin1(CaptionOf(command)));
    // A tool button drops a caption's "..." unless its text is set as is.
    action->setIconText(action->text());
    action->setToolTip(QString::fromLatin1(HintOf(command)));
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    m_actions.emplace_back(command, action);
    if (command == PreviewCommand::Songbook) m_toolbar->addSeparator();
  }
  m_toolbar->addSeparator();
  m_close = new QPushButton(QStringLiteral("&Close"), m_toolbar);
  m_close->setAutoDefault(false);
  connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
  m_toolbar->addWidget(m_close);
  // The help button is there but not offered: F1 opens the help.
  m_helpButton = new QPushButton(QStringLiteral("&Help"), m_toolbar);
  m_helpButton->setEnabled(false);
  m_toolbar->addWidget(m_helpButton)->setVisible(false);
}

QWidget* TPreviewWin::BuildReportArea() {
  auto* area = new QFrame(this);
  area->setObjectName(QStringLiteral("ReportArea"));
  area->setAutoFillBackground(true);
  QPalette palette = area->palette();
  palette.setColor(QPalette::Window, Qt::white);
  area->setPalette(palette);
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(8, 6, 8, 8);
  layout->setSpacing(2);

  m_mainHeader = new QLabel(area);
  m_mainHeader->setFont(PixelFont(kArial, 19, true, true));
  m_mainHeader->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  SetTextColour(*m_mainHeader, QColor(0x80, 0x80, 0x80));
  layout->addWidget(m_mainHeader);

  m_subHeader = new QLabel(area);
  m_subHeader->setFont(PixelFont(kArial, 12, false));
  m_subHeader->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  SetTextColour(*m_subHeader, Qt::black);
  layout->addWidget(m_subHeader);

  auto* dateRow = new QHBoxLayout;
  dateRow->setContentsMargins(0, 0, kDateLabelRightGap, 0);
  m_dateLabel = new QLabel(area);
  m_dateLabel->setFixedWidth(kDateLabelWidth);
  m_dateLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  SetTextColour(*m_dateLabel, Qt::black);
  dateRow->addStretch(1);
  dateRow->addWidget(m_dateLabel);
  layout->addLayout(dateRow);

  m_groupLabel = new QLabel(area);
  m_groupLabel->setFont(PixelFont(kArial, 12, true));
  SetTextColour(*m_groupLabel, Qt::black);
  layout->addWidget(m_groupLabel);

  m_columnHeading = new QLabel(area);
  m_columnHeading->setFont(PixelFont(kArial, 13, true));
  SetTextColour(*m_columnHeading, Qt::black);
  layout->addWidget(m_columnHeading);

  m_pane = new QPlainTextEdit(area);
  m_pane->setObjectName(QStringLiteral("ReportPane"));
  m_pane->setReadOnly(true);
  m_pane->setUndoRedoEnabled(false);
  m_pane->setFont(PixelFont(kMsSansSerif, 13, false));
  m_pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_pane->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  QPalette panePalette = m_pane->palette();
  panePalette.setColor(QPalette::Base, Qt::white);
  panePalette.setColor(QPalette::Text, Qt::black);
  m_pane->setPalette(panePalette);
  layout->addWidget(m_pane, 1);
  return area;
}

std::vector<int> TPreviewWin::TabStops() const {
  std::vector<int> stops;
  for (const int twips : kReportTabStopsTwips) stops.push_back(TwipsToPixels(twips, logicalDpiX()));
  return stops;
}

void TPreviewWin::Fill() {
  const ReportPreview preview = MakeReportPreview(m_heading, m_context.view);
  m_mainHeader->setText(ToQt(preview.productName));
  m_subHeader->setText(ToQt(preview.webAddress));
  m_dateLabel->setText(ToQt(preview.dateText));
  m_groupLabel->setText(ToQt(preview.title));
  m_columnHeading->setText(ToQt(preview.columnHeading));

  // The tab stops are the paragraph format of the whole text: set before the text, they hold
  // for every line.
  QTextOption option = m_pane->document()->defaultTextOption();
  QList<QTextOption::Tab> tabs;
  for (const int stop : TabStops()) tabs.append(QTextOption::Tab(stop, QTextOption::LeftTab));
  option.setTabs(tabs);
  m_pane->document()->setDefaultTextOption(option);

  // The whole report in one go: the lines end with "\n", the last one too.
  std::string_view text = preview.paneText;
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  m_pane->setPlainText(ToQt(text));
}

QAction& TPreviewWin::Action(PreviewCommand command) {
  for (const auto& [which, action] : m_actions) {
    if (which == command) return *action;
  }
  return *m_actions.front().second;
}

void TPreviewWin::Run(PreviewCommand command) {
  if (m_busy) return;
  m_busy = true;
  switch (command) {
    case PreviewCommand::PrinterSetup:
      PrinterSetup();
      break;
    case PreviewCommand::Print:
      Print();
      break;
    case PreviewCommand::Songbook:
      MakeSongbook();
      break;
    case PreviewCommand::SaveReport:
      SaveReportFile();
      break;
  }
  m_busy = false;
}

void TPreviewWin::PrinterSetup() {
  if (Unattended()) return;
  QPrintDialog dialog(m_printer.get(), this);
  dialog.setWindowTitle(QStringLiteral("Printer setup"));
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  // The dialog chooses the printer; printing is the toolbar's Print.
  for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>()) {
    if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
  }
  // Cancelled, the printer stays as it was.
  dialog.exec();
  m_printer->setFullPage(true);
}

PrintProgress TPreviewWin::ShowProgress(const QString& caption) {
  EndProgress();
  m_progress = new QProgressDialog(this);
  m_progress->setObjectName(QStringLiteral("PrintProgress"));
  m_progress->setWindowTitle(caption);
  m_progress->setWindowModality(Qt::WindowModal);
  m_progress->setLabelText(QStringLiteral("Laying out the pages..."));
  m_progress->setMinimumWidth(320);
  m_progress->setAutoClose(false);
  m_progress->setAutoReset(false);
  m_progress->setMinimumDuration(300);
  m_progress->setRange(0, 0);
  m_progress->setValue(0);
  QApplication::processEvents();
  return [this](int done, int total) {
    if (!m_progress) return false;
    if (m_progress->maximum() != total) m_progress->setRange(0, total);
    m_progress->setLabelText(QStringLiteral("Page %1 of %2").arg(done).arg(total));
    m_progress->setValue(done);
    QApplication::processEvents();
    return m_progress && !m_progress->wasCanceled();
  };
}

LayoutProgress TPreviewWin::LayoutProgressOfWindow() {
  // The pages are laid out before any is painted: the window answers and Cancel acts meanwhile.
  return [this](int pagesDone) {
    if (!m_progress) return false;
    m_progress->setLabelText(QStringLiteral("Laying out the pages... %1").arg(pagesDone));
    QApplication::processEvents();
    return m_progress && !m_progress->wasCanceled();
  };
}

void TPreviewWin::EndProgress() {
  if (!m_progress) return;
  // Never called from the progress window's own events: it can go at once.
  delete m_progress;
  m_progress = nullptr;
}

void TPreviewWin::Print() {
  // Without a printer Qt prints to a PDF file, which needs a name from Printer setup.
  if (m_printer->outputFormat() == QPrinter::PdfFormat && m_printer->outputFileName().isEmpty()) {
    m_context.user.ShowMessage(MessageKind::Warning, kNoPrinterMessage, {Button::Ok});
    return;
  }
  m_printer->setDocName(QString::fromLatin1(kPrintJobName));
  m_printer->setFullPage(true);
  const PrintProgress progress = ShowProgress(QStringLiteral("Print"));
  QtFontMetrics metrics(m_printer.get());
  PrintDocument document;
  try {
    document = LayoutPrintout(PrintLayout::List, PageDeviceOf(*m_printer), metrics, m_heading,
                              m_context.view, LayoutProgressOfWindow());
  } catch (const LayoutCancelled&) {
    EndProgress();  // nothing was given to the printer yet
    return;
  }
  QPainter painter;
  if (!painter.begin(m_printer.get())) {
    EndProgress();
    const QString target = m_printer->outputFormat() == QPrinter::PdfFormat
                               ? m_printer->outputFileName()
                               : m_printer->printerName();
    m_context.user.ShowError("Cannot print the job \"" + std::string(kPrintJobName) + "\" on " +
                             FromQt(target) + ".");
    return;
  }
  int pagesDone = 0;
  const PaintResult result = PaintDocument(painter, *m_printer, document, [&](int done, int total) {
    pagesDone = done;
    return progress(done, total);
  });
  // Qt's printing on Linux (CUPS and PDF files alike) cannot withdraw a job once begun: the
  // pages painted before Cancel are still printed, which the user is told.
  const bool withdrawn = result == PaintResult::Cancelled && m_printer->abort();
  painter.end();
  EndProgress();
  if (result == PaintResult::Cancelled && !withdrawn) {
    m_context.user.ShowInformation("Printing stopped after page " + std::to_string(pagesDone) +
                                   " of " + std::to_string(document.pages.size()) +
                                   ".\rThe pages done were already given to the printer.");
  }
}

void TPreviewWin::MakeSongbook() {
  const std::optional<PrintLayout> layout =
      m_context.chooseSongbook ? m_context.chooseSongbook(this) : AskSongbookLayout(this);
  if (!layout) return;
  FileDialogRequest request;
  request.title = "Save Songbook";
  request.filters = {{"PDF files", {"*.pdf"}}};
  request.fileName = "Songbook.pdf";
  request.defaultExtension = "pdf";
  const std::optional<std::string> path = m_context.user.AskSaveFile(request);
  if (!path) return;
  const PrintProgress progress = ShowProgress(QStringLiteral("Songbook"));
  try {
    WritePdf(
        *path, kPrintJobName,
        [this, layout](const PageDevice& device, FontMetrics& metrics) {
          return LayoutPrintout(*layout, device, metrics, m_heading, m_context.view,
                                LayoutProgressOfWindow());
        },
        progress);
  } catch (const LayoutCancelled&) {
    // Stopped before the file was written: an existing one stays as it was.
  } catch (const FileError& error) {
    EndProgress();
    m_context.user.ShowError(error.what());
    return;
  }
  EndProgress();
}

void TPreviewWin::SaveReportFile() {
  FileDialogRequest request;
  request.title = "Save Report";
  request.filters = {{"Text files", {"*.txt"}}};
  request.defaultExtension = "txt";
  const std::optional<std::string> path = m_context.user.AskSaveFile(request);
  if (!path) return;
  try {
    SaveReport(*path, m_heading, m_context.view);
  } catch (const FileError& error) {
    m_context.user.ShowError(error.what());
  }
}

bool TPreviewWin::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget != nullptr && widget->window() == this &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
      if (m_context.help) m_context.help(kPrintPreviewHelpTopic);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TPreviewWin::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Centred on the screen, not over the window that opened it.
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void RunPrintPreview(QWidget* parent, PrintPreviewContext context) {
  TPreviewWin preview(std::move(context), parent);
  preview.exec();
}

std::optional<PrintLayout> AskSongbookLayout(QWidget* parent) {
  if (Unattended()) return std::nullopt;
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("SongbookChoice"));
  dialog.setWindowTitle(QStringLiteral("Songbook"));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QStringLiteral("Order the songbook"), &dialog));
  auto* byArtist = new QRadioButton(QStringLiteral("By &artist"), &dialog);
  auto* byTitle = new QRadioButton(QStringLiteral("By &title"), &dialog);
  byArtist->setChecked(true);
  layout->addWidget(byArtist);
  layout->addWidget(byTitle);
  AddOkCancelRow(dialog, *layout);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return byTitle->isChecked() ? PrintLayout::ByTitle : PrintLayout::ByArtist;
}

}  // namespace tunedex
