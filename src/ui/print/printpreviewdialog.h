// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/songlist.h"
#include "common/userinteraction.h"
#include "print/pageengine.h"
#include "print/qt/pdfdocument.h"
#include "print/songbook.h"
#include "print/songreport.h"

class QAction;
class QLabel;
class QPlainTextEdit;
class QPrinter;
class QProgressDialog;
class QPushButton;
class QToolBar;

namespace tunedex {

class DateFormats;

inline constexpr int kPrintPreviewHelpTopic = 6000;
// The printer's job name.
inline constexpr const char* kPrintJobName = "Karaoke Songs";

// What the catalogue window hands the print preview.
struct PrintPreviewContext {
  // The songs shown, in view order; they stay as they are while the modal preview is open.
  const tSongList& view;
  // The view's description: the group label and the printed list's title.
  std::string title;
  UserInteraction& user;
  // The date the report shows; today when absent.
  std::optional<std::chrono::year_month_day> date = {};
  // How the date is written; in the user's locale when absent.
  DateFormats* dateFormats = nullptr;
  std::function<void(int topic)> help = {};
  // The songbook's order: by artist or by title, nothing when cancelled; a small choice
  // dialog when absent.
  std::function<std::optional<PrintLayout>(QWidget* parent)> chooseSongbook = {};
};

// The commands of the preview's toolbar.
enum class PreviewCommand { PrinterSetup, Print, Songbook, SaveReport };

// The "Print Preview" window: the report of the shown songs as the saved text report has it,
// with printing through the kept printer, the songbook PDF and the saved report.
class TPreviewWin : public QDialog {
  Q_OBJECT

 public:
  explicit TPreviewWin(PrintPreviewContext context, QWidget* parent = nullptr);
  ~TPreviewWin() override;

  QLabel& MainHeader() { return *m_mainHeader; }
  QLabel& SubHeader() { return *m_subHeader; }
  QLabel& DateLabel() { return *m_dateLabel; }
  QLabel& GroupLabel() { return *m_groupLabel; }
  QLabel& ColumnHeading() { return *m_columnHeading; }
  QPlainTextEdit& ReportPane() { return *m_pane; }
  QAction& Action(PreviewCommand command);
  QPushButton& CloseButton() { return *m_close; }
  QPushButton& HelpButton() { return *m_helpButton; }
  // The printer that Printer setup changes and Print prints on.
  QPrinter& Printer() { return *m_printer; }
  const ReportHeading& Heading() const { return m_heading; }
  // The report pane's tab stops in the screen's pixels.
  std::vector<int> TabStops() const;

  void Run(PreviewCommand command);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildReportArea();
  void BuildToolbar();
  void Fill();
  void PrinterSetup();
  void Print();
  void MakeSongbook();
  void SaveReportFile();
  // A progress window over the preview for long printing: told after each page, it handles
  // the events waiting and answers false once Cancel was pressed.
  PrintProgress ShowProgress(const QString& caption);
  LayoutProgress LayoutProgressOfWindow();
  void EndProgress();

  PrintPreviewContext m_context;
  ReportHeading m_heading;
  std::unique_ptr<QPrinter> m_printer;
  QToolBar* m_toolbar = nullptr;
  std::vector<std::pair<PreviewCommand, QAction*>> m_actions;
  QPushButton* m_close = nullptr;
  QPushButton* m_helpButton = nullptr;
  QLabel* m_mainHeader = nullptr;
  QLabel* m_subHeader = nullptr;
  QLabel* m_dateLabel = nullptr;
  QLabel* m_groupLabel = nullptr;
  QLabel* m_columnHeading = nullptr;
  QPlainTextEdit* m_pane = nullptr;
  QProgressDialog* m_progress = nullptr;
  bool m_busy = false;
};

// Runs the print preview modally.
void RunPrintPreview(QWidget* parent, PrintPreviewContext context);

// The songbook's order, asked in a small dialog: nothing when cancelled.
std::optional<PrintLayout> AskSongbookLayout(QWidget* parent);

}  // namespace tunedex
